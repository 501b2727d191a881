// TOnOffBut: a two-state button drawn from a glyph strip (check box, radio
// button, slide switch, lamp, LED, arrow and similar looks), with up to four
// captions around the glyph.
//
//            TopText
//   LeftText [glyph] RightText      the glyph's top-left pixel is at
//           BottomText              (LeftSpace + 1, TopSpace + 1)
//
// Each style's strip holds four cells: on/enabled, off/enabled (top row),
// on/disabled, off/disabled (bottom row). Pixels of the key colour 0xEBBEEB are
// background: ColorBackgnd, or the parent's pixels when Transparent. Every
// strip also exists at twice its size and is used on screens with a device
// pixel ratio of 2 or more.
//
// Buttons with the same GroupIndex on one parent form a radio group: at most
// one of them is on, and AllowAllOff (shared by the group) says whether the
// last one may be switched off.
//
// Input:
//   MouseAction  oomaNone     the mouse does not switch (the button is an indicator
//                             and takes no focus)
//                oomaFocused  a left press strictly inside the glyph switches
//                oomaPlain    a left press anywhere switches
//   Mode         oobmNormalBut  each press toggles
//                oobmSpeedBut   on while the button is held
//   Keyboard: the button takes the focus by Tab or click (a dotted rectangle
//   around the glyph shows it); Space acts as a press on the glyph and its
//   release as the mouse release, like a QCheckBox.
//
// OnClick fires once per release of the left button (or Space); toggled(bool)
// is emitted on every change of OnOff, including a switch-off by the group.
//
// Colours: ColorBackgnd (background and key pixels), ColorText (captions;
// disabled captions are engraved white and gray); the frame uses the fixed
// white, silver, gray and black lines.
#pragma once

#include <array>

#include "foundation/qor_qorbase.h"

namespace qor {

class QORKIT_EXPORT TOnOffBut : public TCustomControl {
  Q_OBJECT
 public:
  enum TOnOffButStyle : std::uint8_t {
    oobsUser, oobsCheckbox, oobsRadioBut, oobsSlideTB, oobsSlideLR, oobsColSlideTB,
    oobsColSlideLR, oobsLedRedGreen, oobsArrowTopRgt, oobsArrowUpDown, oobsArrowLeftRight,
    oobsTrafficLPed, oobsBeveledLed, oobsSmileyYellow, oobsSmileyRedGrn, oobsBulb, oobsButLamp,
    oobsHDLeft, oobsHDRight, oobsUser1, oobsUser2, oobsUser3, oobsUser4, oobsUser5
  };
  Q_ENUM(TOnOffButStyle)
  enum TOOButMode : std::uint8_t { oobmNormalBut, oobmSpeedBut };
  Q_ENUM(TOOButMode)
  enum TOOButMouseAction : std::uint8_t { oomaNone, oomaFocused, oomaPlain };
  Q_ENUM(TOOButMouseAction)

 private:
  Q_PROPERTY(bool OnOff READ OnOff WRITE SetOnOff NOTIFY toggled)
  Q_PROPERTY(qor::TOnOffBut::TOnOffButStyle ButtonStyle READ ButtonStyle WRITE SetButtonStyle)
  Q_PROPERTY(qor::TOnOffBut::TOOButMode Mode READ Mode WRITE SetMode)
  Q_PROPERTY(qor::TOnOffBut::TOOButMouseAction MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
  Q_PROPERTY(bool AllowAllOff READ AllowAllOff WRITE SetAllowAllOff)
  Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
  Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
  Q_PROPERTY(int TopSpace READ TopSpace WRITE SetTopSpace)
  Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
  Q_PROPERTY(QString TopText READ TopText WRITE SetTopText)
  Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
  Q_PROPERTY(QString BottomText READ BottomText WRITE SetBottomText)
  Q_PROPERTY(qor::TColor ColorBackgnd READ ColorBackgnd WRITE SetColorBackgnd)
  Q_PROPERTY(qor::TColor ColorText READ ColorText WRITE SetColorText)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

 public:
  explicit TOnOffBut(QWidget* AOwner = nullptr);

  // State and behaviour.
  bool OnOff() const { return FOnOff; }
  // Switching off is refused silently in a group that does not allow all off.
  void SetOnOff(bool On);
  TOnOffButStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TOnOffButStyle Style);
  TOOButMode Mode() const { return FMode; }
  void SetMode(TOOButMode Mode);
  TOOButMouseAction MouseAction() const { return FMouseAction; }
  void SetMouseAction(TOOButMouseAction Action);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Index);
  bool AllowAllOff() const { return FAllowAllOff; }
  void SetAllowAllOff(bool On);

  // Geometry.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool On);
  int LeftSpace() const { return FLeftSpace; }
  // Negative or equal values are ignored; with AutoCenter the glyph is
  // re-centred instead; otherwise at most Width.
  void SetLeftSpace(int Space);
  int TopSpace() const { return FTopSpace; }
  void SetTopSpace(int Space);
  int GlyphWidth() const { return FGlyphWidth; }
  int GlyphHeight() const { return FGlyphHeight; }

  // Captions.
  QString LeftText() const { return FTexts[0]; }
  void SetLeftText(const QString& Text) { SetText(0, Text); }
  QString TopText() const { return FTexts[1]; }
  void SetTopText(const QString& Text) { SetText(1, Text); }
  QString RightText() const { return FTexts[2]; }
  void SetRightText(const QString& Text) { SetText(2, Text); }
  QString BottomText() const { return FTexts[3]; }
  void SetBottomText(const QString& Text) { SetText(3, Text); }
  TAlignment LeftTextAlignment() const { return FAlignments[0]; }
  void SetLeftTextAlignment(TAlignment A) { SetAlignment(0, A); }
  TAlignment TopTextAlignment() const { return FAlignments[1]; }
  void SetTopTextAlignment(TAlignment A) { SetAlignment(1, A); }
  TAlignment RightTextAlignment() const { return FAlignments[2]; }
  void SetRightTextAlignment(TAlignment A) { SetAlignment(2, A); }
  TAlignment BottomTextAlignment() const { return FAlignments[3]; }
  void SetBottomTextAlignment(TAlignment A) { SetAlignment(3, A); }

  // Colours and frame.
  TColor ColorBackgnd() const { return FColorBackgnd; }
  void SetColorBackgnd(TColor C);
  TColor ColorText() const { return FColorText; }
  void SetColorText(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Scheme);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool On);

  // Pictures of oobsUser: a strip of 2 x 2 equal cells laid out as the style
  // strips (glyph size = half the width x half the height). A picture smaller
  // than 2 x 2 pixels raises host::EInvalidGraphic and changes nothing, as does
  // a file that cannot be read.
  void SetUserGlyph(const host::TBitmap& Img);
  void LoadUserGlyph(const QString& FName);

  void LoadGlyphs();
  void ExtractGlyphs(const host::TBitmap& Bitmap);
  void AdjustAutoCenter();
  // Re-centres after a resize (with a parent and AutoCenter). Resizing always
  // calls it before OnResize, so a user's OnResize keeps the centring.
  void ProcessResize(TObject* Sender);

  void Assign(const TOnOffBut& Source);
  void AssignTo(TOnOffBut& Dest) const { Dest.Assign(*this); }

  // Screen readers: a check box (a radio button in a group) named by its side
  // texts, checked while on.
  QAccessible::Role AccessibleRole() const override {
    return FGroupIndex != 0 ? QAccessible::RadioButton : QAccessible::CheckBox;
  }
  QString AccessibleCaption() const override {
    return host::JoinAccessibleTexts({FTexts[0], FTexts[1], FTexts[2], FTexts[3]});
  }
  QAccessible::State AccessibleState() const override {
    QAccessible::State S;
    S.checkable = true;
    S.checked = FOnOff;
    return S;
  }

 Q_SIGNALS:
  void toggled(bool On);
  void clicked();

 protected:
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Clicks come from MouseUp only.
  void Click() override {}
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;

 private:
  using TGlyphSet = std::array<std::array<host::TBitmap, 2>, 2>;  // [OnOff][Enabled]

  void SetText(int Side, const QString& Text);
  void SetAlignment(int Side, TAlignment A);
  void StoreOnOff(bool On);
  void UpdateExclusive();
  void CMButtonPressed(int Group, TOnOffBut* Sender);
  bool InsideGlyph(int X, int Y) const;
  void Press();
  void Release(bool Click);
  void ShowChange();
  // Tells Qt and screen readers that OnOff changed.
  void Toggled();
  void DrawCaptions(TCanvas& C, TCanvas& M, int TextHeight);
  void DrawGlyph(QImage& Out, host::TBitmap* Mask);
  void DrawFocus(TCanvas& C);
  const host::TBitmap* HiResGlyph() const;

  bool FOnOff = true;
  TOnOffButStyle FButtonStyle = oobsColSlideLR;
  TOOButMode FMode = oobmNormalBut;
  TOOButMouseAction FMouseAction = oomaFocused;
  int FGroupIndex = 0;
  bool FAllowAllOff = true;
  bool FAutoCenter = true;
  int FLeftSpace = 35;
  int FTopSpace = 18;
  std::array<QString, 4> FTexts;  // left, top, right, bottom
  std::array<TAlignment, 4> FAlignments = {taRightJustify, taCenter, taLeftJustify, taCenter};
  TColor FColorBackgnd = clBtnFace;
  TColor FColorText = clBlack;
  TColorScheme FColorScheme = csGrayWhite;
  TFrameStyle FFrameStyle = fsLowered;
  bool FTransparent = false;
  bool FKeyPressed = false;

  TGlyphSet FGlyphs, FUserGlyphs, FHiResGlyphs;
  int FGlyphWidth = 0, FGlyphHeight = 0;
  int FUserGlyphWidth = 20, FUserGlyphHeight = 20;
  host::TBitmap FPicture, FMask;
};

using TOnOffButStyle = TOnOffBut::TOnOffButStyle;
using TOOButMode = TOnOffBut::TOOButMode;
using TOOButMouseAction = TOnOffBut::TOOButMouseAction;
using enum TOnOffBut::TOnOffButStyle;
using enum TOnOffBut::TOOButMode;
using enum TOnOffBut::TOOButMouseAction;

}  // namespace qor
