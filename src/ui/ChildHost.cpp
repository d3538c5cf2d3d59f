#include "ui/ChildHost.h"

#include <QObject>
#include <algorithm>

void ChildHost::ListenForChanges(QObject* listener, std::function<void()> changed) {
    listeners_.emplace_back(listener, std::move(changed));
}

void ChildHost::NotifyChanges() {
    std::erase_if(listeners_, [](const auto& l) { return l.first.isNull(); });
    // A listener may open or close windows: call a copy.
    const auto listeners = listeners_;
    for (const auto& [listener, changed] : listeners) {
        if (listener) changed();
    }
}
