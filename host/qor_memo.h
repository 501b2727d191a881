// TCustomMemo: the platform's multi-line edit control over QPlainTextEdit,
// with the same key translation as TCustomEdit: KeyDown sees virtual-key
// codes first, and a Key set to 0 there swallows the key (so an owner can
// make Enter end the text instead of breaking the line).
#pragma once

#include <QPlainTextEdit>

#include "host/qor_font.h"
#include "host/qor_types.h"

namespace qor::host {

class QORKIT_EXPORT TCustomMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TCustomMemo(QWidget* AOwner = nullptr);

  QString Text() const { return toPlainText(); }
  void SetText(const QString& Text) { setPlainText(Text); }
  // Background and text colours.
  TColor Color() const { return FColor; }
  void SetColor(TColor Color);
  TFont& Font() { return FFont; }
  void SetBounds(int Left, int Top, int Width, int Height);

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

 protected:
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(QChar& Key);
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  void ApplyColors();

  TColor FColor = clWindow;
  TFont FFont;
};

}  // namespace qor::host

namespace qor {
using host::TCustomMemo;
}  // namespace qor
