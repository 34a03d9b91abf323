// The editor's image switch button: a face in ButtonColor with a bevel, a
// picture centred on it, the caption over the picture, and a short click
// picture played after each press.
#pragma once

#include <functional>
#include <string>

#include "gui/Font.h"
#include "gui/Image.h"
#include "gui/TDIBTimer.h"
#include "gui/Widget.h"

namespace editor {

enum class ButtonKind { bkRectangle };
enum class HorizontalAlign { haLeft, haCenter, haRight };
enum class VerticalAlign { vaTop, vaCenter, vaBottom };
enum class Caption3dKind { ckNone, ckPressed, ckRaised };

class TGlintButton : public gui::Widget {
public:
    TGlintButton();

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    const gui::Font& Font() const { return font_; }
    void setFont(const gui::Font& font);
    // Repaints the caption in the new colour at once.
    void setFontColor(gui::Color color);
    gui::Color ButtonColor() const { return buttonColor_; }
    void setButtonColor(gui::Color color);
    int ButtonDepth() const { return buttonDepth_; }
    void setButtonDepth(int depth);
    void setMainBitmap(gui::Image image);
    // A strip of `glyphs` equal frames shown one per OnClickInterval.
    void setOnClickBitmap(gui::Image image, int glyphs = 1);
    int OnClickGlyphs() const { return onClickGlyphs_; }
    unsigned OnClickInterval = 50;
    ButtonKind buttonKind = ButtonKind::bkRectangle;
    HorizontalAlign BitmapHAlign = HorizontalAlign::haCenter;
    VerticalAlign BitmapVAlign = VerticalAlign::vaCenter;
    HorizontalAlign CaptionHAlign = HorizontalAlign::haCenter;
    VerticalAlign CaptionVAlign = VerticalAlign::vaCenter;
    int CaptionLeft = 0;
    int CaptionTop = 0;
    Caption3dKind caption3dKind = Caption3dKind::ckPressed;
    // Copy only the non-background pixels of the pictures.
    bool Transparent = false;

    // Once per completed click: left button pressed and released over the
    // button, or Space pressed and released while it has the focus.
    std::function<void(TGlintButton&)> OnClick;

    // State for tests: the click frame on show (-1 = none), the held look.
    int clickFrame() const { return clickFrame_; }
    bool held() const { return sunk_; }

    void paint(gui::Canvas& canvas) override;
    bool acceptsFocus() const override { return true; }
    void mouseDown(gui::Point p, gui::MouseButton button) override;
    void mouseMove(gui::Point p) override;
    void mouseUp(gui::Point p, gui::MouseButton button) override;
    bool keyDown(gui::Key key) override;
    void keyUp(gui::Key key) override;

private:
    void startClickPicture();
    void clickTick();
    void setSunk(bool sunk);
    gui::Point placed(int w, int h, HorizontalAlign ha, VerticalAlign va) const;

    std::string caption_;
    gui::Font font_;
    gui::Color buttonColor_ = gui::colors::buttonFace;
    int buttonDepth_ = 2;
    gui::Image mainBitmap_;
    gui::Image onClickBitmap_;
    int onClickGlyphs_ = 1;
    bool held_ = false;  // left button went down on the button
    bool sunk_ = false;  // held and the pointer over it: picture shifted
    bool spaceHeld_ = false;
    int clickFrame_ = -1;
    int nextFrame_ = 0;
    gui::TDIBTimer animation_;
};

}  // namespace editor
