#pragma once

#include "SearchControllerDelegate.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QList>

#include <optional>
#include <utility>
#include <QPointer>

namespace ui {
class Slider;
class Label;
} // namespace ui

// A city of the user's own: a name, a province, and either its coordinates
// (its times are then computed for the place itself) or, for each of the
// six times, the minutes it differs from the province centre.
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
    // "مکان من": the user's position as the coordinates.
    void locate();

    void viewDidLoad() override;
    // Anything typed or chosen, until it is stored; discarding closes the
    // form.
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;

    void textFieldDidBeginEditing(ui::TextField* field) override;
    bool textFieldShouldReturn(ui::TextField* field) override;
    void textFieldDidChange(ui::TextField* field) override;

    int numberOfSectionsInTableView(ui::TableView* table) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    QString titleForHeaderInSection(ui::TableView* table, int section) override;
    double heightForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    QString cityName() const { return cityName_; }
    int provinceID() const { return provinceID_; }
    QString provinceName() const { return provinceName_; }
    QList<int> difArray() const { return difArray_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::TextField* nameField() const { return nameField_; }
    // Under the name, once it is as long as a name may be.
    ui::Label* nameLimitLabel() const { return nameLimit_; }
    ui::TextField* latitudeField() const { return latitudeField_; }
    ui::TextField* longitudeField() const { return longitudeField_; }
    // What the "مکان من" row says: looking, or the place nearest.
    QString hereText() const { return hereText_; }

    // The sections: the name and the province, the coordinates, the offsets.
    static constexpr int kCoordinatesSection = 1;
    // The coordinates' rows after the two fields: "مکان من", and why.
    static constexpr int kHereRow = 2;
    static constexpr int kWhyRow = 3;
    static constexpr int kOffsetsSection = 2;
    static constexpr int kWhyHeight = 54;

    // The longest name a city may have.
    static constexpr int kNameLength = 50;

    static constexpr int kOffsetRows = 6;
    static constexpr int kMaxOffset = 10;

private:
    // The name as it stands in the field, trimmed; blanks only is no name.
    void takeName(ui::TextField* field);
    ui::TextField* addField(ui::TableViewCell& cell, const QString& text, const QString& placeholder);
    ui::TextField* addField(ui::View& parent, const QRect& frame, const QString& text, const QString& placeholder);
    // Both coordinates, or nothing with the user told why (`said`), or
    // nothing at all when both fields are empty.
    std::optional<std::pair<double, double>> coordinates(bool& said) const;
    // A province for typed coordinates, when none is chosen yet.
    void provinceFromCoordinates();
    // Says, under the name, that it can grow no longer, when it cannot.
    void showNameLimit();

    QString cityName_;
    int provinceID_ = 0;
    QString provinceName_;
    QList<int> difArray_;
    ui::TableView* tbl_ = nullptr;
    QPointer<ui::TextField> editingField_;
    QPointer<ui::TextField> nameField_;
    QPointer<ui::Label> nameLimit_;
    QPointer<ui::TextField> latitudeField_;
    QPointer<ui::TextField> longitudeField_;
    QString latitude_;
    QString longitude_;
    QString hereText_;
    QList<QPointer<ui::Label>> valueLabels_;
    bool closing_ = false;
};
