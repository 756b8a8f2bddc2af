#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"
#include "typing/integration/InjectionRuleEngine.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace zentrel::typing {
namespace {

IMEContext appContext(std::string bundle) {
    IMEContext context;
    context.bundleIdentifier = std::move(bundle);
    return context;
}

IMEContext secureContext() {
    auto context = appContext("com.apple.Safari");
    context.isSecureInput = true;
    return context;
}

InjectionRule userRule(std::string id, std::string bundle, std::int64_t priority, const InjectionProfile& profile) {
    InjectionRule rule;
    rule.id = std::move(id);
    rule.name = "Rule " + rule.id;
    rule.bundleIdPatterns = {std::move(bundle)};
    rule.priority = priority;
    rule.profile = profile;
    return rule;
}

const ResolvedInjection kFallback{InjectionProfile::defaultProfile, "default", "Mặc định"};
const ResolvedInjection kSwitchedOff{InjectionProfile::defaultProfile, "disabled", "Rule engine tắt"};
const ResolvedInjection kSecure{InjectionProfile::passthrough, "secure-input", "Ô mật khẩu (Secure Input)"};

TEST(InjectionRuleEngineTest, EmptyEngineAnswersTheFallbackAndStartsFromTheDefaultAnswer) {
    InjectionRuleEngine engine({}, true);
    EXPECT_EQ(engine.currentResolution(), ResolvedInjection::defaultResolution());
    EXPECT_FALSE(engine.currentResolution().matchedRuleID);
    for (const auto& context : {IMEContext::empty(), appContext("com.apple.Safari"), appContext("")})
        EXPECT_EQ(engine.resolve(context), kFallback);
    EXPECT_EQ(engine.currentResolution(), kFallback);
    EXPECT_FALSE(kFallback.isPassthrough());
}

TEST(InjectionRuleEngineTest, SwitchedOffEngineAnswersDisabledButSecureFieldsStillPassThrough) {
    InjectionRuleEngine engine(BuiltInInjectionRules::all(), false);
    EXPECT_EQ(engine.resolve(appContext("com.apple.Terminal")), kSwitchedOff);
    EXPECT_EQ(engine.resolve(IMEContext::empty()), kSwitchedOff);
    auto secure = engine.resolve(secureContext());
    EXPECT_EQ(secure, kSecure);
    EXPECT_TRUE(secure.isPassthrough());
}

TEST(InjectionRuleEngineTest, SecureFieldsGetTheBuiltInRuleWhateverTheList) {
    const std::vector<std::vector<InjectionRule>> lists = {
        {},
        InjectionRuleCatalog::effectiveRules({}, {"secure-input"}),
        {userRule("user-A", "com.apple.Safari", 5000, InjectionProfile::terminal)},
    };
    for (const auto& rules : lists) {
        InjectionRuleEngine engine(rules, true);
        EXPECT_EQ(engine.resolve(secureContext()), kSecure) << rules.size();
    }
}

TEST(InjectionRuleEngineTest, SecureRuleIsNeverMatchedByTheWalk) {
    // Its empty patterns would match everything; only a secure field gets it.
    InjectionRuleEngine engine({*BuiltInInjectionRules::find("secure-input")}, true);
    EXPECT_EQ(engine.resolve(appContext("com.apple.Safari")), kFallback);
}

TEST(InjectionRuleEngineTest, UserRuleOutranksTheAddressBarRule) {
    auto mine = userRule("user-1", "com.apple.Safari", 420, InjectionProfile::remotePaste);
    InjectionRuleEngine engine(InjectionRuleCatalog::effectiveRules({mine}, {}), true);
    auto context = appContext("com.apple.Safari");
    context.focusedIdentifier = "urlbar";
    auto resolved = engine.resolve(context);
    EXPECT_EQ(resolved, (ResolvedInjection{InjectionProfile::remotePaste, "user-1", "Rule user-1"}));
}

TEST(InjectionRuleEngineTest, EqualPrioritiesGoToTheEarlierRuleAndUserRulesComeFirst) {
    auto user = userRule("user-2", "com.apple.Terminal", 180, InjectionProfile::spotlightAX);
    InjectionRuleEngine engine(InjectionRuleCatalog::effectiveRules({user}, {}), true);
    EXPECT_EQ(engine.resolve(appContext("com.apple.Terminal")).matchedRuleID, "user-2");

    InjectionRuleEngine plain({userRule("a", "x.y", 7, InjectionProfile::terminal),
                               userRule("b", "x.y", 7, InjectionProfile::webEditor)},
                              true);
    EXPECT_EQ(plain.resolve(appContext("x.y")).matchedRuleID, "a");
}

TEST(InjectionRuleEngineTest, DisabledRulesInTheListAreSkipped) {
    auto off = userRule("user-off", "com.apple.Terminal", 900, InjectionProfile::passthrough);
    off.enabled = false;
    InjectionRuleEngine engine({off, userRule("on", "com.apple.Terminal", 1, InjectionProfile::terminal)}, true);
    EXPECT_EQ(engine.resolve(appContext("com.apple.Terminal")).matchedRuleID, "on");
}

TEST(InjectionRuleEngineTest, NewRulesAndSwitchesAreSeenByTheNextResolve) {
    InjectionRuleEngine engine({}, true);
    auto context = appContext("com.apple.Terminal");
    EXPECT_EQ(engine.resolve(context), kFallback);

    engine.updateRules(BuiltInInjectionRules::all());
    EXPECT_EQ(engine.currentResolution(), kFallback);  // kept until the next resolve
    EXPECT_EQ(engine.resolve(context).matchedRuleID, "terminals");
    EXPECT_EQ(engine.resolve(context).matchedRuleID, "terminals");
    EXPECT_EQ(engine.rules().front().id, "secure-input");

    engine.setEnabled(false);
    EXPECT_FALSE(engine.isEnabled());
    EXPECT_EQ(engine.resolve(context), kSwitchedOff);
    engine.setEnabled(true);
    EXPECT_EQ(engine.syncContext(context).matchedRuleID, "terminals");
    EXPECT_EQ(engine.currentResolution().matchedRuleID, "terminals");
}

TEST(InjectionRuleEngineTest, RulesAreKeptInPriorityOrder) {
    InjectionRuleEngine engine({userRule("low", "a", 1, InjectionProfile::terminal),
                                userRule("high", "a", 9, InjectionProfile::terminal)},
                               true);
    EXPECT_EQ(engine.rules().front().id, "high");
    engine.updateRules({userRule("p", "a", -5, InjectionProfile::terminal), userRule("q", "a", 5, InjectionProfile::terminal)});
    EXPECT_EQ(engine.rules().front().id, "q");
    EXPECT_EQ(engine.resolve(appContext("a")).matchedRuleID, "q");
}

TEST(InjectionRuleEngineTest, ConcurrentResolutionGivesTheSameAnswersAsOneThread) {
    std::vector<IMEContext> contexts = {appContext("com.apple.Terminal"), appContext("com.apple.finder"),
                                        appContext("org.example.Unknown"), secureContext()};
    auto docs = appContext("com.google.Chrome");
    docs.windowTitle = "Plan - Google Docs";
    contexts.push_back(docs);
    auto address = appContext("com.apple.Safari");
    address.focusedIdentifier = "urlbar";
    contexts.push_back(address);

    const auto rules = InjectionRuleCatalog::effectiveRules({}, {});
    std::vector<ResolvedInjection> expected;
    {
        InjectionRuleEngine reference(rules, true);
        for (const auto& context : contexts) expected.push_back(reference.resolve(context));
    }

    InjectionRuleEngine engine(rules, true);
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 400; ++i) {
                auto index = static_cast<std::size_t>(i + t) % contexts.size();
                if (engine.resolve(contexts[index]) != expected[index]) ++mismatches;
                if (t == 0 && i % 50 == 0) engine.updateRules(rules);
                (void)engine.currentResolution();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace zentrel::typing
