// Every component in the three layouts forms use most: in a window at the
// layout's own size it gets its size hint, and squeezed to the window's
// minimum it keeps at least its minimum size hint. A component that resizes
// itself against its layout, or whose hints contradict each other, fails here.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <memory>

#include "displays/qor_rasterlab.h"
#include "gauges/qor_meter.h"
#include "tests/components/component_registry.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

enum class TLayoutKind { HBox, Grid, Form };

struct TPlacement {
  QWidget Window;
  QWidget* Component = nullptr;
};

// The component beside a caption (and, in the grid, above a second row), with
// whatever fixed size the registry gave it taken away again.
std::unique_ptr<TPlacement> Place(const TComponentEntry& Entry, TLayoutKind Kind) {
  auto P = std::make_unique<TPlacement>();
  QWidget* C = Entry.Create();
  C->setMinimumSize(0, 0);
  C->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  P->Component = C;
  switch (Kind) {
    case TLayoutKind::HBox: {
      auto* L = new QHBoxLayout(&P->Window);
      L->addWidget(new QLabel(QStringLiteral("Caption")));
      L->addWidget(C);
      break;
    }
    case TLayoutKind::Grid: {
      auto* L = new QGridLayout(&P->Window);
      L->addWidget(new QLabel(QStringLiteral("Caption")), 0, 0);
      L->addWidget(C, 0, 1);
      L->addWidget(new QLabel(QStringLiteral("Row 2")), 1, 0, 1, 2);
      break;
    }
    case TLayoutKind::Form: {
      auto* L = new QFormLayout(&P->Window);
      L->addRow(QStringLiteral("Caption"), C);
      L->addRow(QStringLiteral("Other"), new QLabel(QStringLiteral("text")));
      break;
    }
  }
  return P;
}

const char* KindName(TLayoutKind Kind) {
  switch (Kind) {
    case TLayoutKind::HBox: return "QHBoxLayout";
    case TLayoutKind::Grid: return "QGridLayout";
    case TLayoutKind::Form: return "QFormLayout";
  }
  return "";
}

void ExpectAtLeast(QSize Size, QSize Least, const char* What) {
  EXPECT_GE(Size.width(), Least.width()) << What;
  EXPECT_GE(Size.height(), Least.height()) << What;
}

class ComponentLayouts : public ::testing::TestWithParam<TComponentEntry> {};

TEST_P(ComponentLayouts, HintsAreValidAndTheMinimumFitsTheHint) {
  const std::unique_ptr<QWidget> C(GetParam().Create());
  const QSize Hint = C->sizeHint(), Least = C->minimumSizeHint();
  ASSERT_TRUE(Hint.isValid());
  ASSERT_TRUE(Least.isValid());
  EXPECT_GT(Least.width(), 0);
  EXPECT_GT(Least.height(), 0);
  ExpectAtLeast(Hint, Least, "size hint below the minimum size hint");
}

TEST_P(ComponentLayouts, GetsItsHintAndNeverLessThanItsMinimum) {
  for (TLayoutKind Kind : {TLayoutKind::HBox, TLayoutKind::Grid, TLayoutKind::Form}) {
    SCOPED_TRACE(KindName(Kind));
    const auto P = Place(GetParam(), Kind);
    QWidget& C = *P->Component;
    ShowAndWait(P->Window);
    P->Window.resize(P->Window.sizeHint());
    QCoreApplication::processEvents();
    const QSize Hint = C.sizeHint();
    if (Kind == TLayoutKind::Form) {
      // A form may widen its fields to the row; the height is the hint.
      EXPECT_GE(C.width(), Hint.width());
      EXPECT_EQ(C.height(), Hint.height());
    } else {
      EXPECT_EQ(C.size(), Hint);
    }
    const QSize Laid = C.size();
    QCoreApplication::processEvents();
    EXPECT_EQ(C.size(), Laid) << "the component resized itself against its layout";

    P->Window.resize(P->Window.minimumSizeHint());
    QCoreApplication::processEvents();
    ExpectAtLeast(C.size(), C.minimumSizeHint(), "squeezed below the minimum size hint");
  }
}

// The size an application gives a control through Width and Height (or the
// control through its auto-sizing) is what layouts offer it; a layout's own
// resizing does not change it.
TEST(ControlSizeHint, FollowsTheControlsOwnGeometryNotTheLayouts) {
  QWidget Window;
  auto* Row = new QHBoxLayout(&Window);
  auto* Meter = new TMeter;
  auto* Dots = new TRasterLab;
  Row->addWidget(Meter);
  Row->addWidget(Dots);
  EXPECT_EQ(Meter->sizeHint(), QSize(297, 209));
  Meter->SetWidth(360);
  Meter->SetHeight(240);
  EXPECT_EQ(Meter->sizeHint(), QSize(360, 240));
  Dots->SetAutoHeight(true);
  const int AutoHeight = Dots->Height();
  EXPECT_EQ(Dots->sizeHint().height(), AutoHeight);
  ShowAndWait(Window);
  Window.resize(Window.sizeHint() + QSize(200, 120));
  QCoreApplication::processEvents();
  EXPECT_GT(Meter->width(), 360);  // grows with the window ...
  EXPECT_EQ(Meter->sizeHint(), QSize(360, 240));  // ... and still asks for its own size
  EXPECT_EQ(Dots->height(), AutoHeight);  // an automatic height is kept by the layout
  Dots->SetDotSize(Dots->DotSize() + 1);
  QCoreApplication::processEvents();
  EXPECT_GT(Dots->height(), AutoHeight);
  EXPECT_EQ(Dots->height(), Dots->sizeHint().height());
}

INSTANTIATE_TEST_SUITE_P(All, ComponentLayouts, ::testing::ValuesIn(Components()),
                         [](const auto& Info) { return Info.param.Name.toStdString(); });

}  // namespace
}  // namespace qor::test
