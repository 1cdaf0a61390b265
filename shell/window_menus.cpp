#include "shell/window_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "common/version.h"
#include "shell/feature_editor.h"

namespace zendro {
namespace {

QAction* addItem(QMenu& menu, const QString& text, const QString& tip,
                 const QList<QKeySequence>& keys = {}) {
    QAction* action = menu.addAction(text);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setShortcuts(keys);
    return action;
}

// The desktop's keys for `standard`, with `usual` when the desktop has none.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey standard, QKeySequence usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (keys.isEmpty()) keys.append(usual);
    return keys;
}

}  // namespace

WindowMenus buildWindowMenus(QMenuBar& bar, const FeatureEditorActions& edit,
                             const std::array<QString, 5>& pageNames) {
    WindowMenus menus;
    QMenu& file = *bar.addMenu(QObject::tr("&File"));
    file.setObjectName(QStringLiteral("FileMenu"));
    menus.openJob = addItem(file, QObject::tr("&Open Job..."),
                            QObject::tr("Choose a field file of the job to convert"),
                            standardKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    menus.recentJobs = file.addMenu(QObject::tr("Recent &Jobs"));
    menus.recentJobs->setObjectName(QStringLiteral("RecentJobsMenu"));
    file.addSeparator();
    menus.convert = addItem(file, QObject::tr("Co&nvert"),
                            QObject::tr("Convert the job to its OBS and TRV files"),
                            {QKeySequence(Qt::Key_F5)});
    menus.download = addItem(file, QObject::tr("&Download"),
                             QObject::tr("Start Kermit to download the field files"));
    file.addSeparator();
    menus.exportPoints = addItem(file, QObject::tr("E&xport..."),
                                 QObject::tr("Export the job's points and chains (CSV, LandXML, "
                                             "DXF, GeoPackage, KML, GeoJSON)"));
    menus.exportSketch = addItem(file, QObject::tr("Export &Sketch..."),
                                 QObject::tr("Save the plan sheet as SVG, PDF or PNG"));
    menus.exportReport = addItem(file, QObject::tr("Export &Report..."),
                                 QObject::tr("Save the job report as PDF or text"));
    file.addSeparator();
    menus.quit = addItem(file, QObject::tr("&Quit"), QObject::tr("Close the window"),
                         standardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));
    menus.quit->setMenuRole(QAction::QuitRole);

    QMenu& editMenu = *bar.addMenu(QObject::tr("Edi&t"));
    editMenu.setObjectName(QStringLiteral("EditMenu"));
    editMenu.addAction(edit.undo);
    editMenu.addAction(edit.redo);
    editMenu.addSeparator();
    editMenu.addAction(edit.find);
    editMenu.addAction(edit.replace);
    editMenu.addSeparator();
    editMenu.addAction(edit.save);

    QMenu& view = *bar.addMenu(QObject::tr("&View"));
    view.setObjectName(QStringLiteral("ViewMenu"));
    for (std::size_t page = 0; page < pageNames.size(); ++page) {
        menus.pages[page] =
            addItem(view, pageNames[page], QObject::tr("Show the page \"%1\"").arg(pageNames[page]),
                    {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + page))});
    }
    view.addSeparator();
    menus.fitSketch = addItem(view, QObject::tr("&Fit Sketch"),
                              QObject::tr("Show the whole job in the Review page's sketch"));

    QMenu& help = *bar.addMenu(QObject::tr("&Help"));
    help.setObjectName(QStringLiteral("HelpMenu"));
    menus.helpPage = addItem(help, QObject::tr("&Help Page"), QObject::tr("Show the Help page"),
                             standardKeys(QKeySequence::HelpContents, Qt::Key_F1));
    menus.userGuide = addItem(help, QObject::tr("&User Guide"),
                              QObject::tr("Open the manual: every page, option and message"));
    menus.about = addItem(help, QObject::tr("&About ZENDRO"),
                          QObject::tr("The program's version and licence"));
    menus.about->setMenuRole(QAction::AboutRole);
    return menus;
}

QString aboutText() {
    return QObject::tr(
               "ZENDRO %1\n\n"
               "Converts a survey job's field files (JOB.HVD, JOB.CTX, JOB.RTX) into a GEOPAK OBS "
               "file and a Terramodel TRV file, and reviews the job before it leaves the truck.\n\n"
               "Copyright 2026 ZENDRO developers. All rights reserved by the ZENDRO developers; "
               "the program is made for the survey crews' offices that use it, and no other "
               "licence has been granted.")
        .arg(QString::fromLatin1(ZENDRO_VERSION_TEXT));
}

}  // namespace zendro
