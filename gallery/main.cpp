// The QorKit gallery: one tab per subsystem, every component live.
//
//   qorkit_gallery                     opens the window
//   qorkit_gallery --snapshot <dir>    writes every page as <dir>/<page>.png,
//                                      with the dark palette as <dir>/dark/<page>.png
//                                      and at pixel ratio 2 as <dir>/2x/<page>.png
//   qorkit_gallery --components <dir>  writes each component class once, as it
//                                      stands on its page, as <dir>/<Class>.png
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QScrollArea>
#include <QSet>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "gallery/gallery.h"
#include "host/qor_control.h"

namespace {

QWidget* Scrollable(QWidget* Page) {
  auto* Area = new QScrollArea;
  Area->setWidget(Page);
  Area->setWidgetResizable(true);
  return Area;
}

void LetEventsRun(int Milliseconds) {
  QElapsedTimer Clock;
  Clock.start();
  while (Clock.elapsed() < Milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

enum TSnapshot { snPlain, snDark, snDouble };

// Every page as a PNG in Directory; snDouble renders at device pixel ratio 2.
bool SnapshotPages(const QString& Directory, TSnapshot Kind) {
  QDir().mkpath(Directory);
  for (const auto& Page : qor::gallery::Pages()) {
    QWidget* W = Page.Make();
    W->setAttribute(Qt::WA_DontShowOnScreen);
    // The page's own size hint: adjustSize would cap it to part of the screen.
    W->resize(W->sizeHint());
    W->show();
    LetEventsRun(400);
    const QString Path = QDir(Directory).filePath(Page.FileName + QStringLiteral(".png"));
    QImage Picture;
    if (Kind == snDouble) {
      Picture = QImage(W->size() * 2, QImage::Format_ARGB32_Premultiplied);
      Picture.setDevicePixelRatio(2);
      Picture.fill(W->palette().color(QPalette::Window));
      W->render(&Picture);
    } else {
      Picture = W->grab().toImage();
    }
    delete W;
    if (!Picture.save(Path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(Path));
      return false;
    }
    std::printf("%s\n", qPrintable(Path));
  }
  return true;
}

void SetStyled(bool On);

int Snapshot(const QString& Directory) {
  const QDir Root(Directory);
  if (!SnapshotPages(Directory, snPlain) ||
      !SnapshotPages(Root.filePath(QStringLiteral("2x")), snDouble))
    return 1;
  SetStyled(true);
  const bool Dark = SnapshotPages(Root.filePath(QStringLiteral("dark")), snDark);
  SetStyled(false);
  return Dark ? 0 : 1;
}

// The first instance of each component class on the pages, grabbed on its
// page so it shows the settings the page gives it. Parts of a component (its
// inner editors, host classes) are not components of their own.
int ComponentPictures(const QString& Directory) {
  QDir().mkpath(Directory);
  QSet<QString> Written;
  for (const auto& Page : qor::gallery::Pages()) {
    QWidget* W = Page.Make();
    W->setAttribute(Qt::WA_DontShowOnScreen);
    W->adjustSize();
    W->show();
    LetEventsRun(400);
    for (QWidget* Child : W->findChildren<QWidget*>()) {
      const QString Class = QString::fromLatin1(Child->metaObject()->className());
      if (!Class.startsWith(QLatin1String("qor::T")) || Written.contains(Class) || !Child->isVisible())
        continue;
      const QString Path = QDir(Directory).filePath(Class.mid(5) + QStringLiteral(".png"));
      if (!Child->grab().save(Path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(Path));
        return 1;
      }
      Written.insert(Class);
      std::printf("%s\n", qPrintable(Path));
    }
    delete W;
  }
  return 0;
}

// Switches between the classic colours and the palette-driven style mode,
// with a dark palette to show that the components follow it.
void SetStyled(bool On) {
  qor::host::SetStyleServicesEnabled(On);
  QPalette P = QApplication::style()->standardPalette();
  if (On) {
    P.setColor(QPalette::Window, QColor(45, 45, 48));
    P.setColor(QPalette::WindowText, QColor(220, 220, 220));
    P.setColor(QPalette::Base, QColor(30, 30, 30));
    P.setColor(QPalette::Text, QColor(220, 220, 220));
    P.setColor(QPalette::Button, QColor(60, 60, 64));
    P.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    P.setColor(QPalette::Light, QColor(90, 90, 96));
    P.setColor(QPalette::Mid, QColor(70, 70, 74));
    P.setColor(QPalette::Dark, QColor(25, 25, 25));
    P.setColor(QPalette::Shadow, QColor(10, 10, 10));
  }
  QApplication::setPalette(P);
  for (QWidget* W : QApplication::allWidgets())
    if (auto* C = qobject_cast<qor::host::TControl*>(W)) C->Invalidate();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QorKit gallery"));
  QFont F(QStringLiteral("DejaVu Sans"));
  F.setPixelSize(12);
  QApplication::setFont(F);
  const QStringList Args = QApplication::arguments();
  const int At = Args.indexOf(QStringLiteral("--snapshot"));
  if (At >= 0) return Snapshot(At + 1 < Args.size() ? Args.at(At + 1) : QStringLiteral("out/gallery"));
  const int AtComponents = Args.indexOf(QStringLiteral("--components"));
  if (AtComponents >= 0)
    return ComponentPictures(AtComponents + 1 < Args.size() ? Args.at(AtComponents + 1)
                                                            : QStringLiteral("out/components"));

  QTabWidget Window;
  Window.setWindowTitle(QStringLiteral("QorKit gallery"));
  auto* Styled = new QCheckBox(QStringLiteral("Palette colours (dark)"));
  QObject::connect(Styled, &QCheckBox::toggled, &SetStyled);
  Window.setCornerWidget(Styled);
  for (const auto& Page : qor::gallery::Pages()) Window.addTab(Scrollable(Page.Make()), Page.Title);
  Window.resize(1000, 720);
  Window.show();
  return App.exec();
}
