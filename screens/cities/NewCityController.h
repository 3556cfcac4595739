#pragma once

#include "SearchControllerDelegate.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QList>
#include <QPointer>

namespace ui {
class Slider;
class Label;
} // namespace ui

// A city of the user's own: a name, a province, and for each of the six
// times the minutes it differs from the province centre.
class NewCityController : public ui::ViewController,
                          public ui::TableViewDataSource,
                          public ui::TableViewDelegate,
                          public ui::TextFieldDelegate,
                          public SearchControllerDelegate {
public:
    NewCityController();

    void save();
    void validate();
    void setProvince(int provinceID, const QString& provinceName) override;
    void closeForm() override;
    void sliderChanged(ui::Slider* slider);
    void dismissKeyboard();

    void viewDidLoad() override;
    void textFieldDidBeginEditing(ui::TextField* field) override;
    bool textFieldShouldReturn(ui::TextField* field) override;
    void textFieldDidChange(ui::TextField* field) override;

    int numberOfSectionsInTableView(ui::TableView* table) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    QString titleForHeaderInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    QString cityName() const { return cityName_; }
    int provinceID() const { return provinceID_; }
    QString provinceName() const { return provinceName_; }
    QList<int> difArray() const { return difArray_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::TextField* nameField() const { return nameField_; }

    // The longest name a city may have.
    static constexpr int kNameLength = 50;

    static constexpr int kOffsetRows = 6;
    static constexpr int kMaxOffset = 10;

private:
    // The name as it stands in the field, trimmed; blanks only is no name.
    void takeName(ui::TextField* field);

    QString cityName_;
    int provinceID_ = 0;
    QString provinceName_;
    QList<int> difArray_;
    ui::TableView* tbl_ = nullptr;
    QPointer<ui::TextField> editingField_;
    QPointer<ui::TextField> nameField_;
    QList<QPointer<ui::Label>> valueLabels_;
};
