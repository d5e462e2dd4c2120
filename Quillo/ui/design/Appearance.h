#pragma once

#include <QObject>

// The appearance in force for every window: which variant each DynamicColor resolves to.
// Switching it repaints every widget; none is rebuilt. GUI thread only.
class Appearance : public QObject {
    Q_OBJECT

public:
    static Appearance& instance();

    static bool isDark() { return dark_; }

    // Puts `dark` in force, then repaints every widget of the application.
    void apply(bool dark);

Q_SIGNALS:
    void changed(bool dark);

private:
    Appearance() = default;

    static inline bool dark_ = false;
};
