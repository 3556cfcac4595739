#pragma once

#include <QString>

namespace ui {

class SearchBar;

// What a search bar tells as the user types and leaves it.
class SearchBarDelegate {
public:
    virtual ~SearchBarDelegate() = default;
    virtual void searchBarTextDidChange(SearchBar*, const QString&) {}
    virtual void searchBarCancelButtonClicked(SearchBar*) {}
    // The keyboard's search (return) key.
    virtual void searchBarSearchButtonClicked(SearchBar*) {}
};

} // namespace ui
