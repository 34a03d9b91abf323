// Tsp_XYPlot with its series and markers: axes and grid on the pixels, the
// mapping, baselines and clipping, markers, storage and repaint counts.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/PlotMapping.h"
#include "gui/Form.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "tests/editor/Showcase.h"

namespace {

constexpr gui::Color kField = gui::hex(0x525B6F);
constexpr gui::Color kGrid = gui::hex(0x808080);
constexpr gui::Color kLeft = gui::hex(0xCF45A6);
constexpr gui::Color kRight = gui::hex(0xAFD713);
constexpr gui::Color kMarker = gui::hex(0xFF00FF);

// The plot alone at the form's top left corner, as the editor configures it.
class PlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto w = std::make_unique<platform::OffscreenWindow>(244, 140);
        window = w.get();
        form = std::make_unique<gui::Form>(std::move(w), 244, 140);
        p = showcase::addSpectrumPlot(*form, 0, 0);
        p.low->setPosition(-1000);
        p.high->setPosition(-1000);
        window->paintPending();
    }
    gui::Color at(int x, int y) const { return window->screenPixel(x, y); }
    // Rows of column x that show `color`.
    int rowsOf(int x, gui::Color color) const {
        int n = 0;
        for (int y = 0; y < 140; ++y) n += at(x, y) == color;
        return n;
    }
    void refill(editor::Tsp_SpectrLines& s, std::initializer_list<std::pair<double, double>> pts) {
        s.ClearPoints();
        s.setRepaintSuspended(true);
        for (auto [x, y] : pts) s.AddPoint(x, y);
        s.setRepaintSuspended(false);
        window->paintPending();
    }

    platform::OffscreenWindow* window = nullptr;
    std::unique_ptr<gui::Form> form;
    showcase::SpectrumPlot p;
    std::vector<int> dummyTop, dummyBottom;
};

TEST(PlotMapping, RoundsHalfToEvenAndClamps) {
    EXPECT_EQ(editor::toPixel(23.5), 24);
    EXPECT_EQ(editor::toPixel(70.5), 70);
    EXPECT_EQ(editor::toPixel(-2.5), -2);
    EXPECT_EQ(editor::toPixel(-3.5), -4);
    EXPECT_EQ(editor::toPixel(2.4999), 2);
    EXPECT_EQ(editor::toPixel(1e9), 16383);
    EXPECT_EQ(editor::toPixel(-1e9), -16383);
    EXPECT_EQ(editor::toPixel(std::nan("")), 16383);
}

TEST_F(PlotTest, AxisLinesAndFieldLieWhereTheMarginsPutThem) {
    EXPECT_EQ(p.plot->field(), (gui::Rect{4, 4, 236, 133}));
    for (int y = 4; y <= 136; ++y) {
        EXPECT_EQ(at(4, y), gui::colors::black) << y;
        EXPECT_EQ(at(239, y), gui::colors::black) << y;
    }
    for (int x = 4; x <= 239; ++x) {
        EXPECT_EQ(at(x, 4), gui::colors::black) << x;
        EXPECT_EQ(at(x, 136), gui::colors::black) << x;
    }
    EXPECT_EQ(at(100, 100 + 1), kField);
    EXPECT_EQ(at(120, 2), gui::hex(0xDBE3DB));  // the control's colour outside the field
    // The lowered border: shadow at the top left, light at the bottom right.
    EXPECT_EQ(at(0, 50), gui::colors::buttonShadow);
    EXPECT_EQ(at(243, 50), gui::colors::buttonHighlight);
}

TEST_F(PlotTest, GridFollowsTheTicksWhateverTheAxisMaximum) {
    for (double max : {2047.0, 1858.0, 100.0}) {
        p.plot->BottomAxis.setMax(max);
        window->paintPending();
        for (int i = 1; i < 20; ++i) {
            const int x = 4 + editor::toPixel(235.0 * i / 20);
            EXPECT_EQ(at(x, 30), kGrid) << "tick " << i;
            for (int y = 5; y <= 135; ++y)
                ASSERT_EQ(at(x, y), kGrid) << "tick " << i << " row " << y;
        }
        EXPECT_EQ(at(28, 30), kGrid);  // 23.5 rounds to 24
        EXPECT_EQ(at(27, 30), kField);
        EXPECT_EQ(at(122, 30), kGrid);  // 117.5 rounds to 118
    }
    // Left axis: one line per 10 dB, 16.5 pixels apart.
    for (int i = 1; i < 8; ++i) EXPECT_EQ(at(50, 136 + editor::toPixel(-132.0 * i / 8)), kGrid);
}

TEST_F(PlotTest, LinesRiseFromTheBaselineAndAreClippedToTheField) {
    refill(*p.left, {{100, -30}, {200, 10}, {300, 50}, {400, -70}, {500, -764.5}});
    auto column = [&](double bin) { return 4 + editor::toPixel(bin * 235 / 2047); };
    // -30 dB: row 70 is the point, not drawn; 71..135 drawn (136 is the axis).
    EXPECT_NE(at(column(100), 70), kLeft);  // (a grid row)
    EXPECT_EQ(at(column(100), 71), kLeft);
    EXPECT_EQ(rowsOf(column(100), kLeft), 65);
    EXPECT_EQ(rowsOf(column(200), kLeft), 131);  // full height, rows 5..135
    EXPECT_EQ(rowsOf(column(300), kLeft), 131);  // above the top: cut by the field
    EXPECT_EQ(rowsOf(column(400), kLeft), 0);    // on the baseline: nothing
    EXPECT_EQ(rowsOf(column(500), kLeft), 0);    // a silent bin lies far below
}

TEST_F(PlotTest, BaselineRulesForPointsBelowAndOutside) {
    p.left->setBaseYValue(0);  // row 20.5 rounds to 20
    refill(*p.left, {{100, -30}, {200, 5}});
    const int c100 = 4 + editor::toPixel(100 * 235 / 2047.0);
    EXPECT_NE(at(c100, 20), kLeft);
    EXPECT_EQ(at(c100, 21), kLeft);
    EXPECT_EQ(at(c100, 70), kLeft);  // the point's row is drawn below the baseline
    EXPECT_NE(at(c100, 71), kLeft);
    // A baseline far below the axis sits two rows under it.
    p.left->setBaseYValue(-500);
    EXPECT_EQ(p.left->baselineRow({p.plot->BottomAxis, p.plot->LeftAxis, p.plot->field(),
                                   p.plot->field().inflated(-1), dummyTop, dummyBottom}),
              138);
}

TEST_F(PlotTest, SeriesOutsideTheBottomRangeOrEmptyDrawNothing) {
    refill(*p.left, {{3000, 0}, {4000, 0}});
    for (int x = 5; x < 239; ++x) EXPECT_EQ(rowsOf(x, kLeft), 0);
    refill(*p.left, {});
    for (int x = 5; x < 239; ++x) EXPECT_EQ(rowsOf(x, kLeft), 0);
}

TEST_F(PlotTest, LaterSeriesLieOnTopAndMarkersOverBoth) {
    refill(*p.left, {{1000, 0}});
    refill(*p.right, {{1000, -20}});
    const int c = 4 + editor::toPixel(1000 * 235 / 2047.0);
    EXPECT_EQ(at(c, 40), kLeft);
    EXPECT_EQ(at(c, 120), kRight);
    p.low->setPosition(1000);
    window->paintPending();
    EXPECT_GT(rowsOf(c, kMarker), 60);  // dash-dot: most rows, not all
    EXPECT_LT(rowsOf(c, kMarker), 131);
}

TEST_F(PlotTest, MarkersBeyondTheFieldAreNotDrawn) {
    p.plot->BottomAxis.setMax(1000);
    p.high->setPosition(1000);  // on the right axis line: drawn, then clipped
    window->paintPending();
    for (int x = 5; x < 239; ++x) EXPECT_EQ(rowsOf(x, kMarker), 0);
    p.high->setPosition(1400);  // hundreds of bins beyond: not drawn at all
    window->paintPending();
    for (int x = 0; x < 244; ++x) EXPECT_EQ(rowsOf(x, kMarker), 0);
    p.high->setPosition(996);  // just inside
    window->paintPending();
    EXPECT_GT(rowsOf(4 + editor::toPixel(996 * 235 / 1000.0), kMarker), 60);
}

TEST_F(PlotTest, UnchangedSettersRepaintNothing) {
    const auto before = p.plot->counters();
    const int paints = window->paintCount();
    p.plot->BottomAxis.setMax(2047);
    p.low->setPosition(-1000);
    p.left->setRepaintSuspended(false);
    window->paintPending();
    EXPECT_EQ(window->paintCount(), paints);
    EXPECT_EQ(p.plot->counters().dataLayers, before.dataLayers);

    p.low->setPosition(10);
    window->paintPending();
    EXPECT_EQ(p.plot->counters().dataLayers, before.dataLayers + 1);
    EXPECT_EQ(p.plot->counters().frames, before.frames);  // axes reused
    p.plot->BottomAxis.setMax(1858);
    window->paintPending();
    EXPECT_EQ(p.plot->counters().frames, before.frames + 1);
}

TEST_F(PlotTest, SuspendedRefillCostsOnePaint) {
    const auto before = p.plot->counters();
    const int paints = window->paintCount();
    showcase::fillTestSpectrum(p, 4097);
    window->paintPending();
    EXPECT_EQ(window->paintCount(), paints + 1);
    EXPECT_EQ(p.plot->counters().dataLayers, before.dataLayers + 1);
    EXPECT_EQ(p.plot->counters().copies, before.copies + 1);
    EXPECT_EQ(p.plot->counters().frames, before.frames);
    // Clearing an empty series asks for nothing.
    p.right->ClearPoints();
    p.right->ClearPoints();
    window->paintPending();
    EXPECT_EQ(window->paintCount(), paints + 2);
}

TEST_F(PlotTest, DirectDrawingShowsWhatTheBufferShows) {
    p.low->setPosition(500);
    p.high->setPosition(1500);
    showcase::fillTestSpectrum(p, 2048);
    window->paintPending();
    const std::vector<gui::Color> buffered = window->screen();
    const int copies = p.plot->counters().copies;
    p.plot->setBufferedDisplay(false);
    window->paintPending();
    EXPECT_EQ(p.plot->counters().copies, copies);
    EXPECT_EQ(window->screen(), buffered);
}

TEST(PlotSeries, StorageGrowsByThirtyTwoAndKeepsItsCapacity) {
    editor::Tsp_XYPlot plot;
    auto& s = plot.addSeries<editor::Tsp_SpectrLines>();
    EXPECT_EQ(s.capacity(), 0u);
    for (int i = 0; i < 33; ++i) s.AddPoint(i, -i);
    EXPECT_EQ(s.capacity(), 64u);
    EXPECT_EQ(s.MinX(), 0);
    EXPECT_EQ(s.MaxX(), 32);
    EXPECT_EQ(s.MinY(), -32);
    EXPECT_EQ(s.MaxY(), 0);
    s.ClearPoints();
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_EQ(s.capacity(), 64u);
    s.AddPoint(5, 7);
    EXPECT_EQ(s.point(0).x, 5);
    EXPECT_EQ(s.MinY(), 7);
}

TEST_F(PlotTest, WideLinesBecomeBarsReachingOnePixelBeyond) {
    p.left->setLineAttr({kLeft, 3, true});
    refill(*p.left, {{1000, -30}});
    const int c = 4 + editor::toPixel(1000 * 235 / 2047.0);
    for (int x = c - 1; x <= c + 1; ++x) {
        EXPECT_EQ(at(x, 69), kLeft);
        EXPECT_EQ(at(x, 135), kLeft);
    }
    EXPECT_EQ(at(c - 2, 100), kField);
    EXPECT_EQ(at(c, 68), kField);
}

}  // namespace
