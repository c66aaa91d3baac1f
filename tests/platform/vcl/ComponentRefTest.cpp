#include "platform/vcl/ComponentRef.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel::test {
namespace {

using TLog = std::vector<std::string>;

// Holds two references and logs every callback and every removal it is told
// of, so a stale free-notification link shows as a line nobody expected.
class TReferrer : public TComponent {
public:
    TReferrer(TComponent* owner, std::string_view name, TLog& log) : TComponent(owner), log_(log) { SetName(name); }

    TComponentRef<TReferrer> A{*this, [this] { log_.push_back(Name() + ".A lost"); }};
    TComponentRef<TReferrer> B{*this, [this] { log_.push_back(Name() + ".B lost"); }};

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation != opRemove || component == this)
            return;
        // The references are cleared before the owner hears of the removal.
        EXPECT_NE(A.Target(), component);
        EXPECT_NE(B.Target(), component);
        log_.push_back(Name() + " told " + component->Name());
    }

private:
    TLog& log_;
};

// Three components with no common owner, so every reference needs a link of
// its own; Free nulls the world's pointer so the rest is freed at the end.
struct TWorld {
    TLog log;
    TReferrer* owner = new TReferrer(nullptr, "owner", log);
    TReferrer* x = new TReferrer(nullptr, "x", log);
    TReferrer* y = new TReferrer(nullptr, "y", log);

    void Free(TReferrer*& component)
    {
        TObject::Free(component);
        component = nullptr;
    }
    ~TWorld()
    {
        for (TReferrer** c : {&owner, &x, &y})
            if (*c)
                Free(*c);
    }
};

struct TRefCase {
    const char* name;
    std::function<void(TWorld&)> steps;
    TLog expected;
};

void PrintTo(const TRefCase& refCase, std::ostream* out)
{
    *out << refCase.name;
}

class ComponentRefCases : public ::testing::TestWithParam<TRefCase> {};

TEST_P(ComponentRefCases, LinksFollowTheReferences)
{
    TWorld world;
    GetParam().steps(world);
    EXPECT_EQ(world.log, GetParam().expected);
}

const TRefCase kRefCases[] = {
    {"TargetFreed",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.Free(w.x);
         EXPECT_EQ(w.owner->A, nullptr);
     },
     {"owner.A lost", "owner told x"}},
    {"ReassignedThenOldTargetFreed",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.owner->A = w.y;
         w.Free(w.x);
         EXPECT_EQ(w.owner->A, w.y);
     },
     {}},
    {"ClearedThenOldTargetFreed",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.owner->A = nullptr;
         w.Free(w.x);
     },
     {}},
    {"TwoReferencesOneReassigned",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.owner->B = w.x;
         w.owner->B = w.y;
         w.Free(w.x);
         EXPECT_EQ(w.owner->A, nullptr);
         EXPECT_EQ(w.owner->B, w.y);
     },
     {"owner.A lost", "owner told x"}},
    {"TwoReferencesBothReassigned",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.owner->B = w.x;
         w.owner->A = w.y;
         w.owner->B = w.y;
         w.Free(w.x);
     },
     {}},
    // The link is shared with the target's own reference back to the owner.
    {"TargetStillRefersToOwner",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.x->A = w.owner;
         w.owner->A = w.y;
         w.Free(w.owner);
         EXPECT_EQ(w.x->A, nullptr);
     },
     {"x.A lost", "x told owner"}},
    // The owner's references unlink it as it goes: the target's later free
    // reaches nothing (ASan reports the use after free otherwise).
    {"OwnerFreedBeforeTarget",
     [](TWorld& w) {
         w.owner->A = w.x;
         w.owner->B = w.x;
         w.Free(w.owner);
         w.Free(w.x);
     },
     {}},
    {"CallbackReassignsAnotherReference",
     [](TWorld& w) {
         TComponentRef<TReferrer> moved(*w.owner, [&w] { w.owner->B = w.y; });
         moved = w.x;
         w.owner->A = w.x;
         w.Free(w.x);
         EXPECT_EQ(w.owner->B, w.y);
         w.Free(w.y);
         EXPECT_EQ(w.owner->B, nullptr);
     },
     {"owner.A lost", "owner told x", "owner.B lost", "owner told y"}},
};

INSTANTIATE_TEST_SUITE_P(Component, ComponentRefCases, ::testing::ValuesIn(kRefCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ComponentRef, SiblingsAndRemovalFromTheOwnerClearTheReference)
{
    TLog log;
    auto* form = new TReferrer(nullptr, "form", log);
    auto* label = new TReferrer(form, "label", log);
    auto* edit = new TReferrer(form, "edit", log);
    auto* other = new TReferrer(nullptr, "other", log);
    label->A = edit;
    label->B = other;

    // Moved to another owner, not freed: the reference lets go all the same.
    other->InsertComponent(edit);
    EXPECT_EQ(label->A, nullptr);
    TObject::Free(other); // frees edit as well
    EXPECT_EQ(label->B, nullptr);
    EXPECT_EQ(log, (TLog{"label.A lost", "label told edit", "form told edit", "label.B lost", "label told other"}));
    TObject::Free(form);
}

} // namespace
} // namespace tovrel::test
