// TRotLab: a label whose caption turns by any angle about an anchor point.
//
// The caption is drawn counter-clockwise by TextAngle degrees about
// (PosX, PosY); Alignment picks the point of the text that lies on the anchor
// (the middle of its left edge, its centre, the middle of its right edge).
// AutoCenter keeps the anchor in the middle of the control. The label is
// transparent by default; opaque, it fills itself with Color (the style's
// window colour under the style engine). Disabled, the caption is embossed in
// the button highlight and shadow colours. The frame uses the classic bevel
// colours, or the style's under the style engine.
#pragma once

#include "foundation/qor_qorbase.h"

namespace qor {

class QORKIT_EXPORT TRotLab : public TCustomLabel {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int TextAngle READ TextAngle WRITE SetTextAngle)
  Q_PROPERTY(int PosX READ PosX WRITE SetPosX)
  Q_PROPERTY(int PosY READ PosY WRITE SetPosY)
  Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
  Q_PROPERTY(bool AntiAlias READ AntiAlias WRITE SetAntiAlias)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(qor::TColor Color READ Color WRITE SetColor)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(qor::TAlignment Alignment READ Alignment WRITE SetAlignment)

 public:
  explicit TRotLab(QWidget* AOwner = nullptr);

  // Degrees, counter-clockwise; any value.
  int TextAngle() const { return FTextAngle; }
  void SetTextAngle(int Angle);
  // The anchor in client coordinates.
  int PosX() const { return FTextPosX; }
  void SetPosX(int X);
  int PosY() const { return FTextPosY; }
  void SetPosY(int Y);
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool On);
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool On);
  void SetAlignment(TAlignment Alignment);
  void SetTransparent(bool On);
  TColor Color() const { return FBgColor; }
  void SetColor(TColor Color);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);

  // Puts the anchor in the middle of the control.
  void AdjustAutoCenter();
  // The resize handler installed in OnResize.
  void ProcessResize(TObject* Sender);

  // Copies centring, frame, angle, anchor and smoothing from another rotated label.
  void Assign(const TRotLab& Source);
  void AssignTo(TRotLab& Dest) const { Dest.Assign(*this); }

 public:
  // The caption turned about its anchor: its longer side in each direction.
  QSize minimumSizeHint() const override;

 protected:
  void Paint() override;
  void DoDrawText(TRect& Rect, unsigned Flags) override;

 private:
  void Changed();

  int FTextAngle = 0;
  int FTextPosX = 10, FTextPosY = 10;
  bool FAntiAlias = true;
  bool FAutoCenter = true;
  TColor FBgColor = clBtnFace;
  TFrameStyle FFrameStyle = fsLowered;
};

}  // namespace qor
