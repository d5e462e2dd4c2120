#include "ui/design/CleanConfirmation.h"

#include <QMessageBox>
#include <QPushButton>

#include "foundation/ByteFormat.h"

CleanConfirmation::Texts CleanConfirmation::texts(std::size_t count, std::int64_t bytes, bool permanent,
                                                  bool alsoFromTrash)
{
    const QString size = ByteFormat::string(bytes, ByteFormat::Style::file);
    if (permanent) {
        return {tr("Permanently delete %n item(s) (%1)?", nullptr, int(count)).arg(size),
                tr("This frees the space right away and can't be undone."), tr("Delete Permanently")};
    }
    QString message = tr("The selected items will be moved to the Trash, so you can still restore them.");
    if (alsoFromTrash)
        message += tr(" Items that are already in the Trash will be deleted permanently.");
    return {tr("Clean %1?").arg(size), message, tr("Move to Trash")};
}

QMessageBox* CleanConfirmation::open(QWidget* parent, const Texts& texts, std::function<void()> confirmed)
{
    auto* box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(texts.title);
    box->setText(texts.title);
    box->setInformativeText(texts.message);
    QPushButton* confirm = box->addButton(texts.confirm, QMessageBox::DestructiveRole);
    QPushButton* cancel = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::buttonClicked, box, [confirm, confirmed = std::move(confirmed)](QAbstractButton* clicked) {
        if (clicked == confirm && confirmed)
            confirmed();
    });
    box->open();
    return box;
}
