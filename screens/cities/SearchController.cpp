#include "SearchController.h"

#include "calendar/Utility.h"
#include "platform/ui/Label.h"

namespace {

const char* kProvinces = "SELECT StateID, Name AS StateName FROM tStates WHERE ParentID IS NULL AND StateName LIKE %1";
const char* kCities =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NULL  AND StateName LIKE %1";

constexpr int kBarHeight = 44;

} // namespace

SearchController::SearchController() = default;

SearchController::SearchController(int typeID)
    : typeID_(typeID)
{
}

void SearchController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(Qt::white);
    searchBar_ = new ui::SearchBar(QRect(0, 0, 320, kBarHeight));
    searchBar_->setPlaceholder(typeID_ == kProvincesMode ? QStringLiteral("نام استان") : QStringLiteral("نام شهر یا استان"));
    searchBar_->setShowsCancelButton(true);
    searchBar_->setDelegate(this);
    screen->addSubview(searchBar_);
    tblResult_ = new ui::TableView(QRect(0, kBarHeight, 320, screen->height() - kBarHeight));
    tblResult_->setDataSource(this);
    tblResult_->setDelegate(this);
    screen->addSubview(tblResult_);

    searchBar_->setCancelButtonEnabled(true);
    searchBar_->becomeFirstResponder();
    updateDataSource(QStringLiteral(""));
}

void SearchController::updateDataSource(const QString& text)
{
    // The typed text is matched literally: quotes, '%' and '_' included.
    const QString sql = QString::fromLatin1(typeID_ == kProvincesMode ? kProvinces : kCities).arg(MyDB::likeContains(text));
    datasource_ = MyDB::initialize()->run(sql);
    tblResult_->reloadData();
}

void SearchController::searchBarTextDidChange(ui::SearchBar*, const QString& text)
{
    updateDataSource(Utility::GetProperString(text));
}

void SearchController::searchBarCancelButtonClicked(ui::SearchBar*)
{
    if (delegate_)
        delegate_->closeForm();
}

int SearchController::numberOfRowsInSection(ui::TableView*, int)
{
    return static_cast<int>(datasource_.size());
}

ui::TableViewCell* SearchController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    auto* cell = new ui::TableViewCell(ui::TableViewCell::Style::Value1, QStringLiteral("cell"));
    cell->textLabel()->setText(datasource_[path.row].value(QStringLiteral("StateName")));
    return cell;
}

void SearchController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    const int stateId = MyDB::getValue(datasource_, path.row, QStringLiteral("StateID")).value_or(QString()).toInt();
    const QString name = MyDB::getValue(datasource_, path.row, QStringLiteral("StateName")).value_or(QString());
    if (typeID_ == kProvincesMode) {
        if (delegate_)
            delegate_->setProvince(stateId, name);
    } else {
        addState(stateId);
    }
    if (delegate_)
        delegate_->closeForm();
}

void SearchController::addState(int stateId)
{
    MyDB* db = MyDB::initialize();
    const int count = db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) AS Count FROM tSelectedStates")).value_or(QString()).toInt();
    db->ExecuteNonQuery(QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering)VALUES(%1, %2)").arg(stateId).arg(count + 1));
}

void SearchController::scrollViewWillBeginDragging(ui::ScrollView*)
{
    searchBar_->resignFirstResponder();
    searchBar_->setCancelButtonEnabled(true);
}
