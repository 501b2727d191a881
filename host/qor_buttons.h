// TSpeedButton: the platform's speed button over QToolButton: a glyph and a
// caption, the flat look, grouping by GroupIndex among the buttons of one
// parent (one of a group is down; AllowAllUp lets the last one come up), and
// the platform's mouse handlers. Keyboard as in any QToolButton: Tab reaches
// it, Space clicks it.
#pragma once

#include <QToolButton>
#include <algorithm>

#include "host/qor_bitmap.h"
#include "host/qor_component.h"
#include "host/qor_types.h"

namespace qor::host {

class QORKIT_EXPORT TSpeedButton : public QToolButton, public TComponentStateHolder {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
  Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
  Q_PROPERTY(bool Down READ Down WRITE SetDown NOTIFY downChanged)

 public:
  explicit TSpeedButton(QWidget* AOwner = nullptr);

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  QString Caption() const { return text(); }
  void SetCaption(const QString& Caption) { setText(Caption); }
  void SetBounds(int Left, int Top, int Width, int Height) {
    setGeometry(Left, Top, std::max(0, Width), std::max(0, Height));
  }
  // The picture beside the caption, shown as given.
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& Glyph);
  bool Flat() const { return autoRaise(); }
  void SetFlat(bool On) { setAutoRaise(On); }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Index);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool On);
  // Down stays only for grouped buttons; releasing the last one of a group
  // needs AllowAllUp.
  bool Down() const { return isChecked(); }
  void SetDown(bool On);
  bool Enabled() const { return isEnabled(); }
  virtual void SetEnabled(bool On) { setEnabled(On); }

  TNotifyEvent OnClick, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 Q_SIGNALS:
  // Every change of Down (QAbstractButton's toggled under the platform's name).
  void downChanged(bool Down);

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseLeave();
  virtual void Click();

  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void nextCheckState() override;

  // Runs Handler; an exception goes to the application's handler instead of Qt.
  template <typename F>
  void Guarded(F&& Handler);

 private:
  void ReleaseGroupPeers();

  TBitmap FGlyph;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
};

}  // namespace qor::host

namespace qor {
using host::TSpeedButton;
}  // namespace qor
