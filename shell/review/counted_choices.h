#pragma once

// A filter's combo box of counted choices, as the findings tables show them:
// "All (12)", then "Closure (3)" and each other kind found.

#include <QComboBox>
#include <QSignalBlocker>
#include <QString>
#include <functional>
#include <map>

namespace zendro {

// The combo's data for "All".
inline constexpr int kAllChoices = -1;

// Fills `combo` with "All (total)" and one "name (count)" a kind of `counts`,
// in the kinds' order. The kind chosen before stays chosen while it is
// counted, else All. Sends no change: the caller applies the choice.
inline void fillCountedChoices(QComboBox& combo, int total, const std::map<int, int>& counts,
                               const std::function<QString(int)>& name) {
    const int chosen = combo.currentIndex() < 0 ? kAllChoices : combo.currentData().toInt();
    const QSignalBlocker quiet(&combo);
    combo.clear();
    combo.addItem(QComboBox::tr("All (%1)").arg(total), kAllChoices);
    for (const auto& [kind, count] : counts)
        combo.addItem(QStringLiteral("%1 (%2)").arg(name(kind)).arg(count), kind);
    const int index = combo.findData(chosen);
    combo.setCurrentIndex(index < 0 ? 0 : index);
}

}  // namespace zendro
