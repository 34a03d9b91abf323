#include "gui/PageControl.h"

#include "gui/Text.h"

namespace gui {

PageControl::PageControl() { tabFont_ = Font::character(FontFamily::MSSansSerif, 11); }

TabSheet& PageControl::addPage(std::string caption) {
    TabSheet& sheet = add<TabSheet>(caption);
    PushButton& tab = add<PushButton>(caption);
    tab.setFont(tabFont_);
    tab.OnClick = [this, &sheet](PushButton&) {
        if (active_ == &sheet) return;
        setActivePage(&sheet);
        if (OnChange) OnChange(*this);
    };
    pages_.push_back({&sheet, &tab, true});
    sheet.setVisible(false);
    if (!active_) setActivePage(&sheet);
    layout();
    return sheet;
}

void PageControl::setTabVisible(TabSheet& sheet, bool visible) {
    for (Entry& e : pages_)
        if (e.sheet == &sheet) e.tabVisible = visible;
    layout();
}

bool PageControl::tabVisible(const TabSheet& sheet) const {
    for (const Entry& e : pages_)
        if (e.sheet == &sheet) return e.tabVisible;
    return false;
}

std::vector<std::string> PageControl::visibleTabs() const {
    std::vector<std::string> captions;
    for (const Entry& e : pages_)
        if (e.tabVisible) captions.push_back(e.sheet->caption());
    return captions;
}

void PageControl::setActivePage(TabSheet* sheet) {
    if (sheet == active_) return;
    if (active_) active_->setVisible(false);
    active_ = sheet;
    for (const Entry& e : pages_) e.tab->setDown(e.sheet == active_);
    if (active_) active_->setVisible(true);
}

void PageControl::setTabFont(const Font& font) {
    tabFont_ = font;
    for (const Entry& e : pages_) e.tab->setFont(font);
    layout();
}

void PageControl::resized() { layout(); }

void PageControl::layout() {
    int x = 0;
    for (const Entry& e : pages_) {
        e.tab->setVisible(e.tabVisible);
        e.sheet->setBounds(
            {kPageMargin, kPageTop, width() - 2 * kPageMargin, height() - kPageTop - kPageMargin});
        if (!e.tabVisible) continue;
        const int w = std::max(textWidth(tabFont_, e.sheet->caption()) + 18, 60);
        e.tab->setBounds({x, 0, w, kTabHeight});
        x += w + 3;
    }
}

void PageControl::paint(Canvas& canvas) { canvas.fillRect(localRect(), colors::black); }

}  // namespace gui
