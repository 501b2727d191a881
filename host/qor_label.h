// TCustomLabel: a windowless text label, the base of labels that draw their
// caption themselves.
//
//   Paint            background in Color (unless Transparent), then DoDrawText
//                    with the caption placed by Alignment and Layout
//   DoDrawText       draws the caption in Font (embossed when disabled); with
//                    DT_CALCRECT it only measures it into the rectangle
//   AutoSize         fits the control to the measured caption
#pragma once

#include "host/qor_control.h"

namespace qor::host {

enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

// Flags of DoDrawText.
constexpr unsigned DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002, DT_VCENTER = 0x0004,
                   DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020,
                   DT_EXPANDTABS = 0x0040, DT_CALCRECT = 0x0400, DT_NOPREFIX = 0x0800;

class QORKIT_EXPORT TCustomLabel : public TGraphicControl {
  Q_OBJECT
 public:
  explicit TCustomLabel(QWidget* AOwner = nullptr);

  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Caption);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Alignment);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Layout);
  // When set, the parent shows through wherever no text is drawn.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool On);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool On);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool On);

  // Screen readers: static text named and read by the caption.
  QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
  QString AccessibleCaption() const override { return FCaption; }
  std::optional<TAccessibleText> AccessibleText() const override {
    return TAccessibleText{FCaption};
  }

 protected:
  void Paint() override;
  virtual void DoDrawText(TRect& Rect, unsigned Flags);
  // The flags that Alignment and WordWrap give.
  unsigned DrawTextFlags() const;
  // Fits the size to the caption when AutoSize is set.
  void AdjustBounds();
  void FontChanged() override;
  void Loaded() override;

 private:
  QString FCaption;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FAutoSize = true;
  bool FWordWrap = false;
};

}  // namespace qor::host

namespace qor {
using host::TCustomLabel;
using host::TTextLayout;
}  // namespace qor
