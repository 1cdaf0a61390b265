#pragma once

#include <QString>
#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace zendro {

struct FeatureEditorActions;

// The window's menu bar: File, Edit, View and Help. The window connects the
// actions to its handlers; the Edit menu holds the feature editor's own
// actions. Mnemonics stay clear of the conversion page's Alt+E, Alt+M and
// Alt+C (English, Metric, Convert).
struct WindowMenus {
    QAction* openJob = nullptr;
    QMenu* recentJobs = nullptr;
    QAction* convert = nullptr;
    QAction* download = nullptr;
    QAction* exportPoints = nullptr;
    QAction* exportSketch = nullptr;
    QAction* exportReport = nullptr;
    QAction* quit = nullptr;
    std::array<QAction*, 5> pages{};  // in the order of the tabs
    QAction* fitSketch = nullptr;
    QAction* helpPage = nullptr;
    QAction* userGuide = nullptr;
    QAction* about = nullptr;
};

// `pageNames`: the tabs' captions, from the left.
WindowMenus buildWindowMenus(QMenuBar& bar, const FeatureEditorActions& edit,
                             const std::array<QString, 5>& pageNames);

// What Help > About ZENDRO tells: the program, its version and its licence.
QString aboutText();

}  // namespace zendro
