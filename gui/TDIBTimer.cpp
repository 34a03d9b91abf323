#include "gui/TDIBTimer.h"

#include "gui/Form.h"

namespace gui {

TDIBTimer::TDIBTimer(Widget& owner) : owner_(owner) {}

TDIBTimer::~TDIBTimer() {
    if (form_) form_->unregisterTimer(id_);
}

void TDIBTimer::setInterval(unsigned ms) {
    interval_ = ms;
    update();
}

void TDIBTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void TDIBTimer::update() {
    if (!form_) {
        form_ = owner_.form();
        if (form_) id_ = form_->registerTimer(*this);
    }
    if (running_ && form_) form_->stopTimer(id_);
    running_ = false;
    if (!enabled_ || interval_ == 0 || !OnTimer) return;
    if (!form_ || !form_->startTimer(id_, interval_)) {
        enabled_ = false;
        throw TimerError();
    }
    running_ = true;
}

void TDIBTimer::tick() {
    if (running_ && OnTimer) OnTimer(*this);
}

void TDIBTimer::detach() {
    form_ = nullptr;
    running_ = false;
}

}  // namespace gui
