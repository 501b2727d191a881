// Browsing components beside their nearest peers, in the same run:
//  - TThumbnails: one paint after scrolling a row, 4 x 3 slides fully visible,
//    each slide's picture handed over by the application, at 10^3 and 10^6
//    slides; beside a QListView in icon mode over a model of the same pictures.
//  - TFolderTree: opening a folder of 10^4 sub-folders; beside the bare reads
//    that opening needs (std::filesystem listing of the folder, and of each
//    sub-folder up to its first sub-folder).
#include <benchmark/benchmark.h>

#include <QAbstractListModel>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "browsing/qor_foldertree.h"
#include "browsing/qor_thumbnails.h"

namespace {

using namespace qor;

constexpr int Columns = 4, Rows = 3, SlideSize = 120;
constexpr int Pitch = SlideSize + 2 + 2 * 7;
constexpr int ViewW = 20 + Columns * Pitch - 2, ViewH = 20 + Rows * Pitch - 2;

// Twenty pictures in a few aspect ratios, shared by every slide.
const std::vector<QImage>& Pictures() {
  static const std::vector<QImage> P = [] {
    std::vector<QImage> Out;
    static constexpr QSize Sizes[] = {{160, 120}, {120, 160}, {192, 108}, {140, 140}, {200, 100}};
    for (int I = 0; I < 20; ++I) {
      QImage Img(Sizes[I % 5], QImage::Format_RGB32);
      Img.fill(QColor::fromHsv(I * 18, 160, 220));
      QPainter P(&Img);
      P.setBrush(QColor::fromHsv((I * 18 + 180) % 360, 200, 160));
      P.drawEllipse(Img.rect().adjusted(20, 20, -20, -20));
      Out.push_back(Img);
    }
    return Out;
  }();
  return P;
}

void BM_ThumbnailsScrollPaint(benchmark::State& State) {
  const int Count = int(State.range(0));
  TThumbnails T;
  T.SetScrollBarVisible(false);
  T.resize(ViewW, ViewH);
  T.SetMax(Count);
  T.OnImageRequest = [](TObject*, int Id, TThumbnails::TImageRequestProcessing& How, int&,
                        host::TBitmap& Buffer) {
    How = TThumbnails::irpShowSlide;
    Buffer.LoadFromImage(Pictures()[std::size_t(Id) % 20]);
  };
  QImage Target(T.size(), QImage::Format_RGB32);
  T.render(&Target);
  const int LastRowStart = (Count / 2 / Columns) * Columns + 1;
  int First = 1;
  for (auto _ : State) {
    First = First + Columns > LastRowStart ? 1 : First + Columns;
    T.SetFirstThumbIdx(First);
    T.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
  State.counters["slides"] = Count;
}
BENCHMARK(BM_ThumbnailsScrollPaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The same pictures as list-view icons, with the number as text.
class TPictureModel : public QAbstractListModel {
 public:
  explicit TPictureModel(int Count) : FCount(Count) {
    for (const QImage& I : Pictures()) FIcons.push_back(QIcon(QPixmap::fromImage(I)));
  }
  int rowCount(const QModelIndex& Parent) const override { return Parent.isValid() ? 0 : FCount; }
  QVariant data(const QModelIndex& Index, int Role) const override {
    if (Role == Qt::DecorationRole) return FIcons[std::size_t(Index.row()) % FIcons.size()];
    if (Role == Qt::DisplayRole) return Index.row() + 1;
    return {};
  }

 private:
  int FCount;
  std::vector<QIcon> FIcons;
};

void BM_QListViewIconScrollPaint(benchmark::State& State) {
  const int Count = int(State.range(0));
  TPictureModel Model(Count);
  QListView V;
  V.setAttribute(Qt::WA_DontShowOnScreen);
  V.setViewMode(QListView::IconMode);
  V.setUniformItemSizes(true);
  V.setMovement(QListView::Static);
  V.setIconSize(QSize(SlideSize, SlideSize));
  V.setGridSize(QSize(Pitch, Pitch));
  V.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  V.resize(ViewW, ViewH);
  V.setModel(&Model);
  V.show();
  V.doItemsLayout();
  QImage Target(V.size(), QImage::Format_RGB32);
  V.render(&Target);
  QScrollBar* Bar = V.verticalScrollBar();
  int Value = 0;
  for (auto _ : State) {
    Value = Value + Pitch > Bar->maximum() / 2 ? 0 : Value + Pitch;
    Bar->setValue(Value);
    V.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
  State.counters["slides"] = Count;
}
BENCHMARK(BM_QListViewIconScrollPaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// ---- the folder tree ----------------------------------------------------------------

// A folder of 10^4 empty sub-folders, memory-backed where the system allows.
struct TBigFolder {
  TBigFolder()
      : Tmp(QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm/qorkit-bench-XXXXXX")
                                                              : QDir::tempPath() + QStringLiteral("/qorkit-bench-XXXXXX")) {
    Path = Tmp.path() + QStringLiteral("/big/");
    QDir().mkpath(Path);
    for (int I = 0; I < 10000; ++I) QDir().mkdir(Path + QStringLiteral("Folder %1").arg(I));
  }
  QTemporaryDir Tmp;
  QString Path;
};

TBigFolder& Big() {
  static TBigFolder B;
  return B;
}

void BM_FolderTreeExpand10k(benchmark::State& State) {
  TFolderTree T;
  T.SetRootFolder(Big().Path);
  for (auto _ : State) {
    T.Reset();
    T.expandItem(T.TopNode());
    benchmark::DoNotOptimize(T.TopNode()->childCount());
  }
  if (T.TopNode()->childCount() != 10000) State.SkipWithError("not every folder was listed");
}
BENCHMARK(BM_FolderTreeExpand10k)->Unit(benchmark::kMillisecond);

void BM_FilesystemReads10k(benchmark::State& State) {
  namespace fs = std::filesystem;
  const fs::path Root(Big().Path.toStdString());
  for (auto _ : State) {
    std::size_t Found = 0;
    for (const fs::directory_entry& E : fs::directory_iterator(Root)) {
      if (!E.is_directory()) continue;
      ++Found;
      for (const fs::directory_entry& Sub : fs::directory_iterator(E.path()))
        if (Sub.is_directory()) break;
    }
    benchmark::DoNotOptimize(Found);
  }
}
BENCHMARK(BM_FilesystemReads10k)->Unit(benchmark::kMillisecond);

}  // namespace
