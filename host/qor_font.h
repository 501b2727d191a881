// TFont: a QFont plus the text colour, with change notification and the
// escapement (rotation) of the platform.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <optional>

#include "host/qor_types.h"

namespace qor::host {

class QORKIT_EXPORT TFont {
 public:
  TFont();

  QString Name() const { return FName; }
  void SetName(const QString& Name);
  // Point size at 96 dots per inch, as the platform measures it.
  int Size() const { return FSize; }
  void SetSize(int Size);
  // Pixel height; negative values are character heights as on the platform.
  int Height() const { return -(FSize * 96 + 36) / 72; }
  void SetHeight(int Height);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Style);
  TColor Color() const { return FColor; }
  void SetColor(TColor Color);
  // Escapement in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Orientation);
  bool Antialiased() const { return FAntialiased; }
  void SetAntialiased(bool On);

  void Assign(const TFont& Source);
  bool operator==(const TFont& Other) const;

  // The QFont and its metrics, built once per change of the font.
  const QFont& ToQFont() const;
  const QFontMetrics& Metrics() const;
  // Advance width of Text; the widths of recent texts are remembered, since
  // scales and labels measure the same texts on every paint.
  int TextWidth(const QString& Text) const;
  void SetFromQFont(const QFont& Font);

  TNotifyEvent OnChange;

  // The owner's own channel: the control or component that holds this font
  // repaints through it, so a user handler in OnChange never cuts the wiring.
  // Called before OnChange.
  void SetOwnerNotify(std::function<void()> Notify) { FOwnerNotify = std::move(Notify); }

 private:
  // Changed drops the cached QFont (shape changed); Notify only tells OnChange.
  void Changed();
  void Notify();

  QString FName;
  int FSize = 9;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  int FOrientation = 0;
  bool FAntialiased = true;
  mutable std::optional<QFont> FQFont;
  mutable std::optional<QFontMetrics> FMetrics;
  mutable QHash<QString, int> FWidths;
  std::function<void()> FOwnerNotify;
};

}  // namespace qor::host
