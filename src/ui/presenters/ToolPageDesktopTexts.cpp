#include "ui/presenters/ToolPageDesktopTexts.hpp"

#include "ui/presenters/BoostPresenter.hpp"

namespace zentrel::ui {

void addToolPageDesktopTexts(platform::Localization& localization) {
    localization.addTranslations(
        "en", {
                  {BoostTexts::cachedNote,
                   "“Cached” is reclaimable on demand — Linux frees it automatically when apps need RAM, so there's "
                   "nothing to “clean” here."},
                  {BoostTexts::purgeNote,
                   "Why no “purge / free RAM” button? On Linux, dropping the page cache just makes the system re-read "
                   "files from disk moments later — it doesn't speed anything up. The real win is quitting apps you're "
                   "not using, which this screen does and measures."},
                  {BoostTexts::quitMessage,
                   "Each app is asked to quit normally, so it can prompt you to save unsaved work. A frozen app may "
                   "need to be ended from your desktop's system monitor instead."},
                  {BoostTexts::rowHint, "Press Space to select for quitting."},
              });
}

}  // namespace zentrel::ui
