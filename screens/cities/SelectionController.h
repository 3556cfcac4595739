#pragma once

#include "SearchControllerDelegate.h"
#include "screens/common/SelectionControllerDelegate.h"

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "store/MyDB.h"

namespace ui {
class Button;
class Label;
class BarButtonItem;
class ScrollView;
} // namespace ui

// The chosen cities, in the user's order: reorder, delete, add through the
// search or the new-city form; which city the azans follow, said under the
// list and chosen by the bell on its row; Done goes back to the main screen.
class SelectionController : public ui::ViewController,
                            public ui::TableViewDataSource,
                            public ui::TableViewDelegate,
                            public SearchControllerDelegate {
public:
    SelectionController();

    void updateDataSource();
    void SearchControllerShow();
    void closeForm() override;
    void ShowWebSite();
    void Done();
    // The azans and reminders follow this city from now on.
    void chooseAzanCity(int stateId);
    // The city they follow: its StateID, 0 when no chosen city has times.
    int azanCityId() const { return azanCity_; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    ui::EditingStyle editingStyleForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    bool canMoveRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    ui::IndexPath targetIndexPathForMove(ui::TableView* table, const ui::IndexPath& from, const ui::IndexPath& proposed) override;
    void commitEditingStyle(ui::TableView* table, ui::EditingStyle style, const ui::IndexPath& path) override;
    void moveRowAtIndexPath(ui::TableView* table, const ui::IndexPath& from, const ui::IndexPath& to) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    const RowSet& datasource() const { return datasource_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::ScrollView* tblScrollView() const { return tblScrollView_; }
    ui::TableView* createNewCityTable() const { return createNewCityTable_; }
    ui::BarButtonItem* btnDone() const { return btnDone_; }
    // Under the list: "اذان‌ها به افق ...".
    ui::Label* azanLine() const { return azanLine_; }

    static constexpr int kRowHeight = 44;
    static constexpr int kMinimumRows = 7;

    // Over the empty list: what to do to choose a city.
    ui::Button* emptyHint() const { return emptyHint_; }

private:
    void showAzanCity();

    RowSet datasource_;
    ui::Button* emptyHint_ = nullptr;
    ui::TableView* tbl_ = nullptr;
    ui::ScrollView* tblScrollView_ = nullptr;
    ui::TableView* createNewCityTable_ = nullptr;
    ui::View* scroll_ = nullptr;
    ui::BarButtonItem* btnDone_ = nullptr;
    SelectionControllerDelegate* delegate_ = nullptr;
    bool firstTime_ = false;
    ui::Label* azanLine_ = nullptr;
    int azanCity_ = 0;
};
