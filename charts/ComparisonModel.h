// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison as a table: one row per sampled step n, then each method's
// value and each one's error. It reads the sequences and steps the window
// computes and keeps no copy of them.
#pragma once

#include "rules/Convergence.h"

#include <QAbstractTableModel>

#include <array>
#include <vector>

namespace charts {

// A method's name as the menu writes it, in the language of the interface.
QString methodName(compare::Method method);

class ComparisonModel : public QAbstractTableModel {
public:
    using Sequences = std::array<compare::Sequence, compare::methods.size()>;

    // Both must outlive the model; call reset() after they change.
    ComparisonModel(const Sequences& sequences, const std::vector<std::int64_t>& steps, QObject* parent = nullptr);

    void reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A cell as the table shows it, empty where the method has no value.
    QString text(int row, int column) const;
    // A cell as a screen reader says it: with its column and its n, "none"
    // where it is empty, numbers in words.
    QString spokenText(int row, int column) const;

private:
    const Sequences& sequences_;
    const std::vector<std::int64_t>& steps_;
};

} // namespace charts
