#pragma once

#include <cstdint>
#include <functional>

#include <QCoreApplication>
#include <QString>

class QMessageBox;
class QWidget;

// The question asked before a clean, the same wherever a clean starts: how much goes and whether
// it can come back from the Trash.
class CleanConfirmation {
    Q_DECLARE_TR_FUNCTIONS(CleanConfirmation)

public:
    struct Texts {
        QString title;
        QString message;
        QString confirm;
        bool operator==(const Texts&) const = default;
    };

    // For `count` items of `bytes` together, deleted for good (`permanent`) or moved to the Trash.
    // `alsoFromTrash`: some of them already lie in the Trash, so they go for good even when the
    // rest go to the Trash; the message says so.
    static Texts texts(std::size_t count, std::int64_t bytes, bool permanent, bool alsoFromTrash = false);

    // Opens the dialog over `parent`'s window and returns at once; `confirmed` runs if the user
    // confirms. Cancel is the default button, so Return alone never starts a removal. The dialog
    // deletes itself when closed.
    static QMessageBox* open(QWidget* parent, const Texts& texts, std::function<void()> confirmed);
};
