#pragma once

namespace ui {

class ScrollView;

// What a scroll view tells about its scrolling.
class ScrollViewDelegate {
public:
    virtual ~ScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(ScrollView*) {}
    virtual void scrollViewWillBeginDragging(ScrollView*) {}
    // Only after an animated setContentOffset or scrollRectToVisible.
    virtual void scrollViewDidEndScrollingAnimation(ScrollView*) {}
    // After a drag has come to rest.
    virtual void scrollViewDidEndDecelerating(ScrollView*) {}
};

} // namespace ui
