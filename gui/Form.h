// The top of a widget tree, bound to one native window: it paints the tree
// into its pixels, routes mouse and keyboard input to the widgets and
// delivers the ticks of the window's timers.
#pragma once

#include <map>
#include <memory>

#include "gui/Widget.h"
#include "platform/window.h"

namespace gui {

class TDIBTimer;

class Form : public Widget {
public:
    // Takes the window over; `window` may be null (a form that is never shown).
    Form(std::unique_ptr<platform::NativeWindow> window, int width, int height);
    ~Form() override;

    Form* form() override { return this; }
    platform::NativeWindow* window() const { return window_.get(); }

    Color color() const { return color_; }
    void setColor(Color color);
    void paint(Canvas& canvas) override;

    // The host's idle call: lets the window handle what is queued.
    void idle();
    // Paints `area` (form coordinates) into the form's pixels at once.
    const Bitmap& render(const Rect& area);
    const Bitmap& pixels() const { return pixels_; }

    Widget* focusedWidget() const { return focused_; }
    void setFocusedWidget(Widget* widget);

    // For widgets: what changed and must be repainted (form coordinates).
    void invalidateArea(const Rect& area);
    // For widgets that leave the tree or stop showing: drops every reference
    // to `widget` and to its children. With `endPress` a widget that holds the
    // mouse is first told that the press is over (never during destruction).
    void forget(Widget& widget, bool endPress);

    // For TDIBTimer: window timers with ids of their own.
    int registerTimer(TDIBTimer& timer);
    void unregisterTimer(int id);
    bool startTimer(int id, unsigned intervalMs);
    void stopTimer(int id);

protected:
    void resized() override;

private:
    // What the native window reports, handed on to the tree.
    class Events final : public platform::WindowClient {
    public:
        explicit Events(Form& form) : form_(form) {}
        platform::PixelView paint(platform::PixelRect area) override;
        void mouseDown(int x, int y, MouseButton button) override;
        void mouseUp(int x, int y, MouseButton button) override;
        void mouseMove(int x, int y) override;
        void keyDown(Key key) override;
        void keyUp(Key key) override;
        void focusLost() override;
        void timerTick(int timerId) override;

    private:
        Form& form_;
    };

    void handleMouseDown(int x, int y, MouseButton button);
    void handleMouseMove(int x, int y);
    void handleMouseUp(int x, int y, MouseButton button);
    void handleKeyDown(Key key);
    void handleKeyUp(Key key);
    void handleFocusLost();
    void handleTimerTick(int timerId);
    // Ends the press of the widget that holds the mouse.
    void releasePress(bool tellWidget);
    Widget* widgetAt(Point formPoint);
    void paintTree(Widget& widget, Canvas& canvas, Point parentOrigin, const Rect& parentClip);
    void updateCursor(Widget* widget);

    Events events_{*this};
    std::unique_ptr<platform::NativeWindow> window_;
    Bitmap pixels_;
    Color color_ = colors::black;
    Widget* focused_ = nullptr;
    Widget* pressed_ = nullptr;
    Cursor cursor_ = Cursor::Arrow;
    std::map<int, TDIBTimer*> timers_;
    int nextTimerId_ = 1;
};

}  // namespace gui
