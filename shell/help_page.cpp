#include "shell/help_page.h"

#include <QListWidget>

#include "shell/help_text.h"
#include "shell/margin_keeper.h"

namespace zendro {

HelpPage::HelpPage(QWidget* parent)
    : TwipsPage("Frame4", QStringLiteral("ZUZ Conversion Help"), twips(360, 480, 4695, 4455),
                parent) {
    helpLines_ = place(new QListWidget(this), "HelpText1", twips(120, 240, 4455, 3960));
    helpLines_->setToolTip(QStringLiteral("How to download, convert and edit a job"));
    helpLines_->addItems(helpTextItems());
}

std::vector<QWidget*> HelpPage::tabStops() const { return {helpLines_}; }

void HelpPage::settled() {
    // The lines take whatever room the window gives the page.
    new MarginKeeper(*helpLines_, MarginKeeper::Mode::Grow);
}

}  // namespace zendro
