// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComparisonModel.h"

#include "Voice.h"

#include <QCoreApplication>

#include <cmath>

namespace charts {

using namespace compare;

namespace {

// The model has no tr() of its own; its texts stay with the window's.
QString translated(const char* text) { return QCoreApplication::translate("charts::ComparisonWindow", text); }

} // namespace

QString methodName(Method method) { return QCoreApplication::translate("methods", title(method)); }

ComparisonModel::ComparisonModel(const Sequences& sequences, const std::vector<std::int64_t>& steps, QObject* parent)
    : QAbstractTableModel(parent)
    , sequences_(sequences)
    , steps_(steps)
{
}

void ComparisonModel::reset()
{
    beginResetModel();
    endResetModel();
}

int ComparisonModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(steps_.size()); }

int ComparisonModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1 + 2 * int(methods.size());
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::AccessibleTextRole)
        return spokenText(index.row(), index.column());
    if (role != Qt::DisplayRole)
        return {};
    return text(index.row(), index.column());
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    if (section == 0)
        return QStringLiteral("n");
    const Method m = methods[std::size_t((section - 1) % methods.size())];
    return section <= int(methods.size()) ? methodName(m) : translated(QT_TRANSLATE_NOOP("charts::ComparisonWindow", "誤差：%1")).arg(methodName(m));
}

QString ComparisonModel::text(int row, int column) const
{
    const std::int64_t n = steps_[std::size_t(row)];
    if (column == 0)
        return QString::number(n);
    const Sequence& sequence = sequences_[std::size_t(methods[std::size_t((column - 1) % methods.size())])];
    if (n < sequence.first || std::isnan(sequence.at(n)))
        return {};
    const double value = sequence.at(n);
    return QString::fromStdString(column <= int(methods.size()) ? valueText(sequence.method, value)
                                                               : exactText(error(value)));
}

QString ComparisonModel::spokenText(int row, int column) const
{
    const QString n = QString::number(steps_[std::size_t(row)]);
    if (column == 0)
        return translated(QT_TRANSLATE_NOOP("charts::ComparisonWindow", "n＝%1")).arg(n);
    const QString cell = text(row, column);
    return translated(QT_TRANSLATE_NOOP("charts::ComparisonWindow", "%1、n＝%2、%3"))
        .arg(headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), n,
             cell.isEmpty() ? translated(QT_TRANSLATE_NOOP("charts::ComparisonWindow", "なし")) : voice().spokenNumbers(cell));
}

} // namespace charts
