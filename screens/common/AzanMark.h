#pragma once

#include "platform/ui/Button.h"

// The mark of the city the azans and reminders follow: a small bell, lit on
// that city (its row in the chosen cities, its day page), dim on the rows
// of the others, where a tap chooses that city instead.
class AzanMark : public ui::Button {
public:
    explicit AzanMark(const QRect& frame, bool lit = true);

    void setLit(bool lit);
    bool isLit() const { return lit_; }

protected:
    void draw(QPainter& painter) override;

private:
    bool lit_ = true;
};
