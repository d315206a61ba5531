#pragma once
// The row of buttons at the foot of a small dialog: accept, then cancel.

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace pw::ui {

inline QHBoxLayout* acceptCancelRow(QDialog* dialog, const QString& acceptText, const QString& cancelText = "Cancel",
                                    const QString& acceptTip = {}, const QString& cancelTip = {}) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* accept = new QPushButton(acceptText);
    accept->setObjectName("ok");
    accept->setDefault(true);
    accept->setToolTip(acceptTip);
    auto* cancel = new QPushButton(cancelText);
    cancel->setObjectName("cancel");
    cancel->setToolTip(cancelTip);
    row->addWidget(accept);
    row->addWidget(cancel);
    QObject::connect(accept, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}

}  // namespace pw::ui
