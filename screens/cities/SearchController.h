#pragma once

#include "SearchControllerDelegate.h"

#include "platform/ui/SearchBar.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "store/Cities.h"
#include "store/MyDB.h"

class HereBar;

namespace ui {
class Label;
}

// Finds a city (to choose it) or a province (for the new-city form) by part
// of its name, as the user types.
class SearchController : public ui::ViewController,
                         public ui::SearchBarDelegate,
                         public ui::TableViewDataSource,
                         public ui::TableViewDelegate {
public:
    static constexpr int kCitiesMode = 0;
    static constexpr int kProvincesMode = 1;

    SearchController();                        // initWithNibName:bundle:, cities mode
    explicit SearchController(int typeID);     // initWithType:

    void setDelegate(SearchControllerDelegate* delegate) { delegate_ = delegate; }
    int typeID() const { return typeID_; }

    void updateDataSource(const QString& text);
    // Whether the city was stored as chosen.
    bool addState(int stateId);
    // The place found nearest to the user, chosen.
    void chooseNearest(const cities::NearestPlace& place);

    void viewDidLoad() override;
    void searchBarTextDidChange(ui::SearchBar* bar, const QString& text) override;
    void searchBarCancelButtonClicked(ui::SearchBar* bar) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void searchBarSearchButtonClicked(ui::SearchBar* bar) override;
    void scrollViewWillBeginDragging(ui::ScrollView* scrollView) override;
    bool accessibilityPerformEscape() override;

    ui::SearchBar* searchBar() const { return searchBar_; }
    ui::TableView* tblResult() const { return tblResult_; }
    // The line that says nothing was found.
    ui::Label* nothingFound() const { return nothingFound_; }
    const QList<cities::Found>& datasource() const { return datasource_; }
    // "مکان من", in cities mode.
    HereBar* hereBar() const { return hereBar_; }

private:
    QString nothingFoundText(const QString& text) const;
    // "مکان من" shows while no name is typed.
    void showHereBar(bool shown);

    int typeID_ = kCitiesMode;
    SearchControllerDelegate* delegate_ = nullptr;
    ui::SearchBar* searchBar_ = nullptr;
    ui::TableView* tblResult_ = nullptr;
    ui::Label* nothingFound_ = nullptr;
    HereBar* hereBar_ = nullptr;
    QList<cities::Found> datasource_;
};
