#pragma once

#include <QWidget>

// The top of the sidebar: the mascot, content, beside the application's name.
class Brand : public QWidget {
public:
    explicit Brand(QWidget* parent = nullptr);
};
