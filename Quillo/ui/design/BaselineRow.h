#pragma once

#include <initializer_list>
#include <utility>

#include <QtGlobal>

class QHBoxLayout;
class QWidget;

// A row of widgets standing on one text baseline: each is given with the distance from its top
// to its baseline, and is moved down by what the others need above theirs.
QHBoxLayout* baselineRow(std::initializer_list<std::pair<QWidget*, qreal>> widgets, int spacing);
