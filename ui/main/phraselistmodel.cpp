#include "ui/main/phraselistmodel.h"

#include "ui/common/qttext.h"

namespace pw::ui {

int PhraseListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(source_ == Source::ListView ? controller_.rowCount() : controller_.deleteBox().count());
}

int PhraseListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant PhraseListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const size_t row = static_cast<size_t>(index.row());
    const bool list = source_ == Source::ListView;
    if (role == Qt::DisplayRole) {
        if (controller_.busy()) return {};
        if (index.column() == 0) return toQt(list ? controller_.rowText(row) : controller_.deleteBox().text(row));
        return QString::number(list ? controller_.rowHits(row) : controller_.deleteBox().hits(row));
    }
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PhraseListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Search phrase") : QStringLiteral("Hits");
}

void PhraseListModel::reload() {
    beginResetModel();
    endResetModel();
}

void PhraseListModel::blank() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 1));
}

}  // namespace pw::ui
