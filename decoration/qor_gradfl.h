// TGradFill: a stepped colour gradient with a frame, for backgrounds and
// colour bars.
//
// NrColors bands run from ColorFirst to ColorLast: top to bottom (gtHoriz),
// left to right (gtVert), or out from ColorFirst at both edges to ColorLast in
// the middle band (gtMidBandHoriz, gtMidBandVert). ColorFlipped swaps the two
// ends; while a form loads it keeps the ends the form set, so a flipped
// gradient reads back from a form as it was saved. GridMode lays a grid of GridColor lines over the gradient, dividing
// the area into tenths, as on a chart; the frame is drawn last, in the
// classic bevel colours.
#pragma once

#include "foundation/qor_qorbase.h"

namespace qor {

class QORKIT_EXPORT TGradFill : public TGraphicControl {
  Q_OBJECT
 public:
  enum TGradType : std::uint8_t { gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert };
  Q_ENUM(TGradType)
  enum TGridMode : std::uint8_t { gmNone, gmHoriz, gmVert, gmBoth };
  Q_ENUM(TGridMode)

 private:
  Q_PROPERTY(qor::TColor ColorFirst READ ColorFirst WRITE SetColorFirst)
  Q_PROPERTY(qor::TColor ColorLast READ ColorLast WRITE SetColorLast)
  Q_PROPERTY(bool ColorFlipped READ ColorFlipped WRITE SetColorFlipped)
  Q_PROPERTY(qor::TGradFill::TGradType FillType READ FillType WRITE SetFillType)
  Q_PROPERTY(int NrColors READ NrColors WRITE SetNrColors)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(qor::TGradFill::TGridMode GridMode READ GridMode WRITE SetGridMode)
  Q_PROPERTY(qor::TColor GridColor READ GridColor WRITE SetGridColor)

 public:
  explicit TGradFill(QWidget* AOwner = nullptr);

  // The shown ends; each setter changes the stored colour that end shows.
  TColor ColorFirst() const { return FFlipped ? FStoredLast : FStoredFirst; }
  void SetColorFirst(TColor Color);
  TColor ColorLast() const { return FFlipped ? FStoredFirst : FStoredLast; }
  void SetColorLast(TColor Color);
  bool ColorFlipped() const { return FFlipped; }
  void SetColorFlipped(bool On);

  // Raises EQORError ("TGradFill.FillType") for values outside the type.
  TGradType FillType() const { return FFillType; }
  void SetFillType(TGradType Type);
  // 1..255 bands.
  int NrColors() const { return FNrColors; }
  void SetNrColors(int N);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);
  TGridMode GridMode() const { return FGridMode; }
  void SetGridMode(TGridMode Mode);
  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Color);

  // After every paint.
  TNotifyEvent OnPaint;

  // Screen readers: a picture without a value.
  QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }

 Q_SIGNALS:
  // Follows OnPaint.
  void painted();

 public:
  // The bands are spread over any size.
  QSize minimumSizeHint() const override { return {8, 8}; }

 protected:
  void Paint() override;

 private:
  TColor BandColor(int Band, TColor First, TColor Last) const;
  void DrawBands(TCanvas& Canvas);
  void DrawGrid(TCanvas& Canvas);

  TColor FStoredFirst = clMaroon, FStoredLast = clYellow;
  bool FFlipped = false;
  TGradType FFillType = gtHoriz;
  int FNrColors = 16;
  TFrameStyle FFrameStyle = fsNone;
  TGridMode FGridMode = gmNone;
  TColor FGridColor = clNavy;
};

}  // namespace qor
