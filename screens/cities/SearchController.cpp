#include "SearchController.h"

#include "HereBar.h"

#include "calendar/Utility.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "screens/common/SaveFailure.h"
#include "store/Cities.h"

namespace {

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
    screen->setAccessibleName(typeID_ == kProvincesMode ? QStringLiteral("جستجوی استان") : QStringLiteral("جستجوی شهر"));
    searchBar_ = &screen->add<ui::SearchBar>(QRect(0, 0, 320, kBarHeight));
    searchBar_->setPlaceholder(typeID_ == kProvincesMode ? QStringLiteral("نام استان") : QStringLiteral("نام شهر را بنویسید"));
    searchBar_->setShowsCancelButton(true);
    searchBar_->setDelegate(this);
    // Before a name is typed, a city can also be found where the user is.
    if (typeID_ == kCitiesMode) {
        hereBar_ = &screen->add<HereBar>(QRect(0, kBarHeight, 320, HereBar::kHeight));
        hereBar_->setChosen([this](const cities::NearestPlace& place) { chooseNearest(place); });
    }
    tblResult_ = &screen->add<ui::TableView>(QRect(0, kBarHeight, 320, screen->height() - kBarHeight));
    tblResult_->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    tblResult_->setDataSource(this);
    tblResult_->setDelegate(this);
    // Said instead of an empty list.
    nothingFound_ = &screen->add<ui::Label>(QRect(20, kBarHeight + 24, 280, 60));
    nothingFound_->setTextAlignment(ui::TextAlignment::Center);
    nothingFound_->setNumberOfLines(0);
    nothingFound_->setTextColor(ui::grayColor());
    nothingFound_->setTextFont(ui::font(QStringLiteral("Helvetica"), 16));
    nothingFound_->setHidden(true);

    searchBar_->setCancelButtonEnabled(true);
    searchBar_->becomeFirstResponder();
    updateDataSource(QStringLiteral(""));
}

void SearchController::showHereBar(bool shown)
{
    if (!hereBar_)
        return;
    // The list starts under it while it shows, right under the search
    // field once a name is typed.
    hereBar_->setVisible(shown);
    const int top = kBarHeight + (shown ? HereBar::kHeight : 0);
    tblResult_->setFrame(QRect(0, top, tblResult_->width(), view()->height() - top));
    nothingFound_->setFrame(QRect(20, top + 24, 280, 60));
}

void SearchController::updateDataSource(const QString& text)
{
    showHereBar(text.trimmed().isEmpty());
    // The typed text is matched literally: quotes, '%' and '_' included.
    datasource_ = typeID_ == kProvincesMode ? cities::search(text, true) : cities::searchPlaces(text);
    tblResult_->reloadData();
    tblResult_->setHidden(datasource_.isEmpty());
    nothingFound_->setHidden(!datasource_.isEmpty());
    if (datasource_.isEmpty())
        nothingFound_->setText(nothingFoundText(text));
}

QString SearchController::nothingFoundText(const QString& text) const
{
    if (typeID_ == kProvincesMode)
        return QStringLiteral("استانی با این نام پیدا نشد.");
    // A city the user has chosen already is not offered again: say where it is.
    const QString key = Utility::searchKey(text);
    for (const Row& chosen : cities::chosenList()) {
        const QString name = chosen.value(QStringLiteral("StateName"));
        if (!key.isEmpty() && Utility::searchKey(name).contains(key))
            return QStringLiteral("«%1» در فهرست شهرهای شما هست.").arg(name);
    }
    return QStringLiteral("شهری با این نام پیدا نشد.\nنام را به فارسی یا لاتین بنویسید.");
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
    cell->textLabel()->setText(datasource_[path.row].name);
    return cell;
}

void SearchController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    if (path.row < 0 || path.row >= datasource_.size())
        return;
    const auto [stateId, placeId, name] = datasource_[path.row];
    if (typeID_ == kProvincesMode) {
        if (delegate_)
            delegate_->setProvince(stateId, name);
    } else if (!(stateId != 0 ? addState(stateId) : cities::choosePlace(placeId))) {
        // The search stays, with the city still in its list.
        tellSaveFailed(QStringLiteral("choosing a city"));
        return;
    }
    if (delegate_)
        delegate_->closeForm();
}

void SearchController::chooseNearest(const cities::NearestPlace& place)
{
    // As a tap on the place in the list: stored, then the search closes.
    if (!cities::chooseNearest(place)) {
        tellSaveFailed(QStringLiteral("choosing the nearest place"));
        return;
    }
    if (delegate_)
        delegate_->closeForm();
}

bool SearchController::addState(int stateId)
{
    return cities::choose(stateId);
}

void SearchController::searchBarSearchButtonClicked(ui::SearchBar*)
{
    // The keyboard's return takes the first result, as a tap on it would.
    if (!datasource_.isEmpty())
        didSelectRowAtIndexPath(tblResult_, {0, 0});
}

bool SearchController::accessibilityPerformEscape()
{
    searchBarCancelButtonClicked(searchBar_);
    return true;
}

void SearchController::scrollViewWillBeginDragging(ui::ScrollView*)
{
    searchBar_->resignFirstResponder();
    searchBar_->setCancelButtonEnabled(true);
}
