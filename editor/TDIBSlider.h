// The editor's skinned slider: end caps, a tiled track and a pointer, all
// taken from an image list. Only the horizontal form is built.
#pragma once

#include <functional>

#include "editor/SliderGeometry.h"
#include "gui/ImageList.h"
#include "gui/TDIBTimer.h"
#include "gui/Widget.h"

namespace editor {

enum class SliderType { stHorizontal, stVertical };

class TDIBSlider : public gui::Widget {
public:
    static constexpr unsigned kRepeatIntervalMs = 250;

    TDIBSlider();

    int Min() const { return min_; }
    int Max() const { return max_; }
    // The range; Position is pulled into it.
    void setMin(int min);
    void setMax(int max);
    int Position() const { return position_; }
    // Clamps v to Min..Max, places the pointer, repaints and then raises
    // OnChange, also when the position stays the same.
    void setPosition(int v);

    int SmallChange = 1;  // step of an end-cap press or an arrow key
    int LargeChange = 1;  // largest step of a press on the track
    int PageSize = 1;     // step of the Page Up and Page Down keys
    SliderType sliderType = SliderType::stHorizontal;
    int PointerOffset = 0;  // vertical shift of the pointer
    unsigned Opacity = 255;
    unsigned PointerOpacityLow = 255;
    bool StretchBackground = false;

    // Picture indices in the image list; -1 = none.
    void setImageList(const gui::ImageList* list);
    void setImageIndices(int end1, int end2, int main, int pointer, int overlay = -1);
    int IndexEnd1() const { return indexEnd1_; }
    int IndexEnd2() const { return indexEnd2_; }
    int IndexMain() const { return indexMain_; }
    int IndexPointer() const { return indexPointer_; }
    int IndexOverlay() const { return indexOverlay_; }
    // With AutoSize the height follows the tallest picture.
    void setAutoSize(bool on);

    std::function<void(TDIBSlider&)> OnChange;
    // A user's gesture starts (true) or ends (false): a press of the left
    // button until its release, or one key's step. Programmatic moves raise none.
    std::function<void(TDIBSlider&, bool)> OnGesture;

    // State for tests and the drawing.
    SliderGeometry geometry() const;
    int pointerOffset() const { return offset_; }
    bool dragging() const { return dragging_; }
    gui::Rect pointerRect() const;

    void paint(gui::Canvas& canvas) override;
    bool acceptsFocus() const override { return true; }
    void mouseDown(gui::Point p, gui::MouseButton button) override;
    void mouseMove(gui::Point p) override;
    void mouseUp(gui::Point p, gui::MouseButton button) override;
    bool keyDown(gui::Key key) override;

protected:
    void resized() override { applyAutoSize(); }

private:
    const gui::Image* image(int index) const { return images_ ? images_->at(index) : nullptr; }
    int offsetFor(int position) const;
    // Stores the position and the pointer offset, repaints, raises OnChange.
    void apply(int position, int offset);
    void press(gui::Point p);
    void startDrag(gui::Point p);
    void repeatTick();
    void applyAutoSize();
    void gesture(bool starts) {
        if (OnGesture) OnGesture(*this, starts);
    }

    const gui::ImageList* images_ = nullptr;
    int indexEnd1_ = -1, indexEnd2_ = -1, indexMain_ = -1, indexPointer_ = -1, indexOverlay_ = -1;
    bool autoSize_ = false;
    int min_ = 0, max_ = 100, position_ = 0;
    int offset_ = 0;
    bool dragging_ = false;
    gui::Point grab_{};
    bool buttonDown_ = false;
    gui::Point pressPoint_{};
    gui::TDIBTimer repeat_;
};

}  // namespace editor
