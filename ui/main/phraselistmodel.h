#pragma once
// The list view and the 'Delete' box as views over the current list: the
// model reads the rows from the controller, it keeps no copy of them.

#include <QAbstractTableModel>

#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

class PhraseListModel : public QAbstractTableModel {
public:
    enum class Source { ListView, DeleteBox };
    PhraseListModel(const MainWindowController& controller, Source source, QObject* parent = nullptr)
        : QAbstractTableModel(parent), controller_(controller), source_(source) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The rows changed as a whole (a fill).
    void reload();
    // The rows are being rewritten by the worker: repaint them blank.
    void blank();

private:
    const MainWindowController& controller_;
    Source source_;
};

}  // namespace pw::ui
