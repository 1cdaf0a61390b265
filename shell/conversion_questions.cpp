#include "shell/conversion_questions.h"

#include <QStringList>
#include <ctime>
#include <string>

#include "conversion/pf_update.h"
#include "shell/shell_dialogs.h"
#include "shell/text_codec.h"

namespace zendro {
namespace {

std::vector<std::string> outputTargets(const JobPaths& job, const ConversionOptions& options) {
    if (options.obsOnly) return {job.obsPath};
    return {job.trvPath, job.obsPath};
}

QString firstPoints(const std::vector<std::int64_t>& points) {
    QStringList shown;
    for (std::size_t i = 0; i < points.size() && i < 5; ++i) {
        shown.append(QString::number(points[i]));
    }
    if (points.size() > 5) shown.append(QStringLiteral("..."));
    return shown.join(QStringLiteral(", "));
}

}  // namespace

QString editedOutputsQuestion(const std::vector<EditedOutput>& edited) {
    QStringList lines;
    for (const EditedOutput& output : edited) lines.append(fromPath(output.path));
    lines.append(QString());
    lines.append(QStringLiteral(
        "These files were changed since ZENDRO wrote them (edited by hand?). Replace "
        "replaces them and keeps each edited file beside it as "
        "NAME.edited-YYYYMMDD-HHMMSS; Cancel writes nothing."));
    return lines.join(QLatin1Char('\n'));
}

QString stalePointFeaturesQuestion(const JobPaths& job, const PfFreshness& freshness) {
    QStringList lines{QStringLiteral("%1 does not match %2:")
                          .arg(fromPath(job.pfPath), fromPath(findFieldFile(job.ctxPath)))};
    if (!freshness.newInCtx.empty()) {
        lines.append(QStringLiteral("%1 CTX points have no entry (%2)")
                         .arg(freshness.newInCtx.size())
                         .arg(firstPoints(freshness.newInCtx)));
    }
    if (!freshness.goneFromCtx.empty()) {
        lines.append(QStringLiteral("%1 entries name a point the CTX file no longer has (%2)")
                         .arg(freshness.goneFromCtx.size())
                         .arg(firstPoints(freshness.goneFromCtx)));
    }
    if (freshness.ctxNewer) lines.append(QStringLiteral("the CTX file is newer"));
    lines.append(QString());
    lines.append(QStringLiteral(
        "Add New adds the new CTX points to it (your edits kept). Rebuild makes it again "
        "from the CTX file (the old one kept as NAME.pf.backup-YYYYMMDD-HHMMSS). Convert As Is "
        "converts with it unchanged."));
    return lines.join(QLatin1Char('\n'));
}

std::optional<ConversionPlan> askBeforeConverting(ShellDialogs& dialogs, QWidget* parent,
                                                  const JobPaths& job,
                                                  const ConversionOptions& options) {
    const std::vector<EditedOutput> edited =
        findEditedOutputs(job, outputTargets(job, options), std::time(nullptr));
    if (!edited.empty() && !dialogs.confirmReplace(parent, editedOutputsQuestion(edited))) {
        return std::nullopt;
    }
    ConversionPlan plan;
    const std::optional<PfFreshness> freshness = checkPfFreshness(job);
    if (!freshness || freshness->matches()) return plan;
    const QString question = stalePointFeaturesQuestion(job, *freshness);
    switch (dialogs.askAboutStalePointFeatures(parent, question)) {
        case StalePointFeaturesChoice::AddNew:
            plan.pfUpdate = PfUpdate::AddNew;
            return plan;
        case StalePointFeaturesChoice::Rebuild:
            plan.pfUpdate = PfUpdate::Rebuild;
            return plan;
        case StalePointFeaturesChoice::ConvertAsIs:
            return plan;
        case StalePointFeaturesChoice::Cancel:
            break;
    }
    return std::nullopt;
}

}  // namespace zendro
