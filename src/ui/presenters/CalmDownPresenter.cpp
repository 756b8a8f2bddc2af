#include "ui/presenters/CalmDownPresenter.hpp"

#include "platform/text/Localization.hpp"
#include "services/processes/TopProcesses.hpp"

namespace zentrel::ui {

CalmDownQuestion calmDownQuestion(const services::ProcessSampler& sampler) {
    CalmDownQuestion question;
    question.candidates = services::topProcesses(sampler, {}, sampler.clock().now(), kCalmDownLimit);
    if (question.candidates.empty()) {
        question.title = platform::localized("No hot background apps");
        question.message =
            platform::localized("Nothing to calm down right now \u2014 no heavy background apps detected.");
        return question;
    }
    std::string names;
    for (const auto& candidate : question.candidates) {
        if (!names.empty()) names += ", ";
        names += candidate.name;
    }
    question.title = platform::localized("Calm down hot apps?");
    question.message = platform::localizedFormat(
        "Zentrel will quit up to three heavy background apps: %@. Save your work in these apps first.", {names});
    question.confirmLabel = platform::localized("Calm Down");
    question.cancelLabel = platform::localized("Cancel");
    return question;
}

int calmDown(services::ProcessSampler& sampler, const CalmDownQuestion& confirmed) {
    return sampler.quitProcesses(confirmed.candidates);
}

}  // namespace zentrel::ui
