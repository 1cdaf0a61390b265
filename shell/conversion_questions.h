#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
#include "conversion/written_outputs.h"
#include "features/pf_freshness.h"

class QWidget;

namespace zendro {

class ShellDialogs;

// What the user answered before a conversion: whether JOB.pf is first
// updated from the CTX file.
struct ConversionPlan {
    std::optional<PfUpdate> pfUpdate;
};

// Asks, before anything is written, about the outputs edited by hand since
// this program wrote them (Replace or Cancel) and about a JOB.pf that does not
// match the CTX file (add the new entries, rebuild, convert as is, cancel).
// None when the user cancelled. Throws ZendroError when a file cannot be read.
std::optional<ConversionPlan> askBeforeConverting(ShellDialogs& dialogs, QWidget* parent,
                                                  const JobPaths& job,
                                                  const ConversionOptions& options);

QString editedOutputsQuestion(const std::vector<EditedOutput>& edited);
QString stalePointFeaturesQuestion(const JobPaths& job, const PfFreshness& freshness);

}  // namespace zendro
