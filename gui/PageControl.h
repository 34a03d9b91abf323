// Pages of which one shows at a time, chosen with push buttons along the top.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/PushButton.h"
#include "gui/Widget.h"

namespace gui {

// One page: a plain container that fills the page area of its page control.
class TabSheet : public Widget {
public:
    explicit TabSheet(std::string caption) : caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

class PageControl : public Widget {
public:
    static constexpr int kTabHeight = 23;
    static constexpr int kPageTop = 27;
    static constexpr int kPageMargin = 4;

    PageControl();

    // Adds a page at the end of the tab order; the first page becomes active.
    TabSheet& addPage(std::string caption);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    TabSheet& page(int index) const { return *pages_[static_cast<size_t>(index)].sheet; }
    // A page whose tab is hidden cannot be chosen by the user.
    void setTabVisible(TabSheet& sheet, bool visible);
    bool tabVisible(const TabSheet& sheet) const;
    // The captions of the tabs that show, in order.
    std::vector<std::string> visibleTabs() const;

    TabSheet* activePage() const { return active_; }
    // Switches pages without raising OnChange (which is for the user's choice).
    void setActivePage(TabSheet* sheet);

    const Font& tabFont() const { return tabFont_; }
    void setTabFont(const Font& font);

    // Raised after the user has chosen another page with its tab.
    std::function<void(PageControl&)> OnChange;

    void paint(Canvas& canvas) override;

protected:
    void resized() override;

private:
    struct Entry {
        TabSheet* sheet;
        PushButton* tab;
        bool tabVisible;
    };
    void layout();

    std::vector<Entry> pages_;
    TabSheet* active_ = nullptr;
    Font tabFont_;
};

}  // namespace gui
