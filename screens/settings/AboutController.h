#pragma once

#include "screens/common/AboutInfo.h"

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

namespace ui {
class Button;
class Label;
} // namespace ui

// Who made the app, its release and version, and links to write to the
// maker or open the maker's web site.
class AboutController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    AboutController();

    void viewDidLoad() override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    // The mail link that starts a new message to the maker.
    QString mailUrl() const;
    QString webUrl() const { return info_.webSite; }
    ui::TableView* tbl() const { return tbl_; }
    ui::Label* textV() const { return textV_; }
    // "خروج از کلوارو": quits, asking first while azans are planned.
    ui::Button* quitButton() const { return quit_; }

private:
    AboutInfo info_;
    ui::TableView* tbl_ = nullptr;
    ui::Label* textV_ = nullptr;
    ui::Button* quit_ = nullptr;
};
