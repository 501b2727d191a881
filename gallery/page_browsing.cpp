// Gallery page "Thumbnails": a thumbnail viewer whose slides the application
// draws (generated pictures in five aspect ratios, a few slides left as
// numbered blanks or bare faces, marks on some, a selection, the focus frame
// where the pointer rests) beside a folder tree rooted at a sample tree that
// the page generates in a temporary folder.
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "browsing/qor_foldertree.h"
#include "browsing/qor_thumbnails.h"
#include "gallery/gallery.h"

namespace {

using namespace qor;

// Picture I: a sky-to-ground gradient with a sun and a curve, in one of five
// aspect ratios.
QImage MakePicture(int I) {
  static constexpr QSize Sizes[] = {{160, 120}, {120, 160}, {192, 108}, {140, 140}, {200, 100}};
  const QSize S = Sizes[I % 5];
  QImage Img(S, QImage::Format_RGB32);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing);
  const int Hue = (I * 47) % 360;
  QLinearGradient Sky(0, 0, 0, S.height());
  Sky.setColorAt(0, QColor::fromHsv(Hue, 90, 250));
  Sky.setColorAt(1, QColor::fromHsv((Hue + 40) % 360, 200, 120));
  P.fillRect(Img.rect(), Sky);
  P.setBrush(QColor::fromHsv((Hue + 180) % 360, 180, 255));
  P.setPen(Qt::NoPen);
  const int R = std::min(S.width(), S.height()) / 5;
  P.drawEllipse(QPoint(S.width() * (1 + I % 3) / 4, S.height() / 3), R, R);
  QPainterPath Curve(QPointF(0, S.height() * 0.8));
  for (int X = 0; X <= S.width(); X += 4)
    Curve.lineTo(X, S.height() * (0.75 + 0.1 * std::sin(X / 15.0 + I)));
  P.setPen(QPen(QColor::fromHsv(Hue, 60, 40), 3));
  P.setBrush(Qt::NoBrush);
  P.drawPath(Curve);
  return Img;
}

QWidget* Thumbnails() {
  auto* T = new TThumbnails;
  gallery::SetSize(T, 470, 430);
  T->SetMax(60);
  T->SetSlideSize(100);
  T->SetSlideMargin(6);
  T->SetSlideDistance(6);
  T->SetColorMark(clRed);
  T->SetFocusLinewidth(2);
  T->SetAntiAlias(true);
  T->SetSlideSelectMode(TThumbnails::ssmMultiple);
  auto Pictures = std::make_shared<std::vector<QImage>>();
  for (int I = 0; I < 20; ++I) Pictures->push_back(MakePicture(I));
  T->OnImageRequest = [Pictures](TObject*, int Id, TThumbnails::TImageRequestProcessing& How, int& Mark,
                                 host::TBitmap& Buffer) {
    if (Id % 11 == 0) return;  // a numbered blank
    if (Id % 13 == 0) {
      How = TThumbnails::irpShowFrameOnly;
      return;
    }
    How = TThumbnails::irpShowSlide;
    Buffer.LoadFromImage((*Pictures)[std::size_t(Id) % Pictures->size()]);
    if (Id % 4 == 1) Mark = Id % 7;
  };
  T->SetSlideSelected(2, true);
  T->SetSlideSelected(6, true);
  T->SetSlideSelected(7, true);
  // Once shown, the pointer rests on slide 5.
  QTimer::singleShot(0, T, [T] {
    int X, Y;
    T->CalcSlidePos(5, X, Y);
    QMouseEvent Move(QEvent::MouseMove, QPointF(X + 40, Y + 40), T->mapToGlobal(QPointF(X + 40, Y + 40)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(T, &Move);
  });
  return gallery::Captioned(QStringLiteral("Thumbnail viewer (60 slides)"), T);
}

QWidget* Folders() {
  auto* Box = new QWidget;
  auto* Rows = new QVBoxLayout(Box);
  auto Sample = std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qorkit-gallery-XXXXXX"));
  const QString Root = Sample->path() + u'/';
  for (const char* D : {"Measurements/2024/January", "Measurements/2024/February", "Measurements/2025",
                        "Calibration/Probe A", "Calibration/probe B", "Reports", "Images/Spectra",
                        "Images/Micrographs", "Ünïcode Δ/Ω data", ".cache/hidden"})
    QDir().mkpath(Root + QString::fromUtf8(D));
  auto* Tree = new TFolderTree;
  Tree->setMinimumSize(260, 380);
  Tree->SetRootFolder(Root);
  Tree->SelectPath(Root + QStringLiteral("Measurements/2024"));
  Tree->expandItem(Tree->TopNode());
  // The sample folder lives as long as the tree.
  QObject::connect(Tree, &QObject::destroyed, [Sample] {});
  auto* Shown = new QLabel;
  Shown->setWordWrap(true);
  auto ShowDir = [Tree, Shown, Root] {
    Shown->setText(QStringLiteral("Directory: ") + Tree->Directory().mid(Root.size() - 1));
  };
  ShowDir();
  QObject::connect(Tree, &TFolderTree::dirChanged, Shown, ShowDir);
  Rows->addWidget(Tree);
  Rows->addWidget(Shown);
  return gallery::Captioned(QStringLiteral("Folder tree (a generated sample)"), Box);
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QHBoxLayout(Page);
  Layout->addWidget(Thumbnails(), 0, Qt::AlignTop);
  Layout->addWidget(Folders(), 0, Qt::AlignTop);
  Layout->addStretch();
  return Page;
}

const bool Registered =
    qor::gallery::RegisterPage({QStringLiteral("Thumbnails"), QStringLiteral("browsing"), 90, MakePage});

}  // namespace
