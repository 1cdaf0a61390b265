#pragma once

#include <vector>

#include "shell/twips_page.h"

class QListWidget;

namespace zendro {

// The "Help" page: how to download, convert and edit a job, one line an item.
class HelpPage final : public TwipsPage {
  public:
    explicit HelpPage(QWidget* parent);

    // The page's controls in the order the Tab key visits them.
    std::vector<QWidget*> tabStops() const;

  private:
    void settled() override;

    QListWidget* helpLines_ = nullptr;
};

}  // namespace zendro
