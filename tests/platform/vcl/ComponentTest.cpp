#include "platform/vcl/Component.h"
#include "platform/vcl/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// A component that links to another one, logs what happens to it and raises
// an event from a setter unless it is loading, as controls do.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string label, std::vector<std::string>* log)
        : TComponent(owner), label_(std::move(label)), log_(log)
    {}
    ~TProbe() override { log_->push_back("free " + label_); }

    TComponent* Link = nullptr;
    TNotifyEvent OnChange;

    void SetLink(TComponent* link)
    {
        Link = link;
        if (link)
            link->FreeNotification(this);
    }
    void SetValue(int value)
    {
        value_ = value;
        if (!ComponentState().Contains(csLoading) && OnChange)
            OnChange(this);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Link)
            Link = nullptr;
    }
    void Loaded() override
    {
        TComponent::Loaded();
        log_->push_back("loaded " + label_ + (ComponentState().Contains(csReading) ? " reading" : ""));
    }

private:
    std::string label_;
    std::vector<std::string>* log_;
    int value_ = 0;
};

TEST(Component, OwnerFreesWhatItOwnsLastFirstAndChildLeavesOwnerWhenFreed)
{
    std::vector<std::string> log;
    auto* form = new TProbe(nullptr, "form", &log);
    auto* a = new TProbe(form, "a", &log);
    auto* b = new TProbe(form, "b", &log);
    new TProbe(a, "a1", &log);
    a->SetName("ButtonA");
    EXPECT_EQ(form->FindComponent("buttona"), a);
    EXPECT_THROW(b->SetName("BUTTONA"), EComponentError);
    EXPECT_THROW(b->SetName("1bad"), EComponentError);

    TObject::Free(b);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(a->ComponentIndex(), 0);

    log.clear();
    TObject::Free(form);
    EXPECT_EQ(log, (std::vector<std::string>{"free form", "free a", "free a1"}));
}

TEST(Component, RemovalReachesFreeNotificationPartnersAndSiblings)
{
    std::vector<std::string> log;
    auto* form = new TProbe(nullptr, "form", &log);
    auto* images = new TProbe(nullptr, "images", &log); // another owner: needs FreeNotification
    auto* button = new TProbe(form, "button", &log);
    auto* sibling = new TProbe(form, "sibling", &log);
    button->SetLink(images);
    auto* other = new TProbe(form, "other", &log);
    other->SetLink(sibling);

    TObject::Free(images);
    EXPECT_EQ(button->Link, nullptr);
    TObject::Free(sibling);
    EXPECT_EQ(other->Link, nullptr);

    // A partner freed first is unlinked: freeing the target later must not
    // reach it (ASan would report the use after free).
    auto* target = new TProbe(nullptr, "target", &log);
    auto* watcher = new TProbe(nullptr, "watcher", &log);
    watcher->SetLink(target);
    TObject::Free(watcher);
    TObject::Free(target);
    TObject::Free(form);
}

TEST(Component, LoadingSilencesEventsUntilEndLoadingThenLoadedRunsOnceInCreationOrder)
{
    std::vector<std::string> log;
    int changes = 0;
    TProbe form(nullptr, "form", &log);
    form.BeginLoading();
    auto* edit = new TProbe(&form, "edit", &log);
    auto* inner = new TProbe(edit, "inner", &log);
    edit->OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(edit->ComponentState().Contains(csLoading));
    EXPECT_TRUE(inner->ComponentState().Contains(csReading));
    edit->SetValue(1);
    EXPECT_EQ(changes, 0);

    form.EndLoading();
    EXPECT_EQ(log, (std::vector<std::string>{"loaded form", "loaded edit", "loaded inner"}));
    for (const TComponent* c :
         {static_cast<TComponent*>(&form), static_cast<TComponent*>(edit), static_cast<TComponent*>(inner)})
        EXPECT_TRUE(c->ComponentState().Empty());
    edit->SetValue(2);
    EXPECT_EQ(changes, 1);

    // Created after loading: no loading state, and a second EndLoading loads nothing again.
    auto* late = new TProbe(&form, "late", &log);
    EXPECT_FALSE(late->ComponentState().Contains(csLoading));
    log.clear();
    form.EndLoading();
    EXPECT_TRUE(log.empty());
}

} // namespace
} // namespace tovrel::test
