#pragma once
// The press, group, repeat and reset rules the push button and the speed
// button share. B is the button class; it makes this a friend and offers
// FDown, FMouseIn, FMouseDown, FAllowAllUpCheck, FGroupIndex, AllowAllUp,
// RepeatMode, FMorph, FRepeatStarted, RepeatInterval, FAnimation and the
// calls used below.
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

// The first repeated click comes this long after the press.
constexpr unsigned kRepeatDelayMs = 500;

template <class B> struct TskButtonBehaviour {
    // Stores, holds or fades the hot picture, repaints and, in a group without
    // AllowAllUp, raises the group's other buttons.
    static void SetDown(B& b, bool Value)
    {
        b.FDown = Value;
        if (b.MorphingActive()) {
            b.FMorph.Kf = 1;
            // Pressing holds the hot picture; releasing fades to what the hover asks for.
            if (Value)
                b.StopMorphing();
            else
                b.StartMorphing();
        }
        b.Repaint();
        if (b.FGroupIndex != 0 && Value && !b.AllowAllUp)
            RaiseGroupSiblings(b);
    }

    // Forgets the hover and pressed state and any running effect, and repaints.
    static void Refresh(B& b)
    {
        b.FMouseIn = false;
        b.FDown = false;
        if (b.MorphingActive())
            b.FMorph.Kf = 0;
        if (b.SkinEffectsOn())
            b.StopAnimation();
        b.Repaint();
    }

    // A left press: a plain button goes down (and starts repeating), a group
    // button goes down and clicks at once; a press on a group button already
    // down may raise it on release (AllowAllUp).
    static void LeftPress(B& b)
    {
        b.StopAnimationOnPress();
        b.FMouseDown = true;
        if (!b.FDown) {
            b.FMouseIn = true;
            b.SetDown(true);
            if (b.RepeatMode && b.FGroupIndex == 0)
                b.StartRepeat();
            else if (b.FGroupIndex != 0)
                b.ButtonClick();
            b.FAllowAllUpCheck = false;
        } else if (b.FGroupIndex != 0) {
            b.FAllowAllUpCheck = true;
        }
    }

    // A left release: a plain button clicks when released over it; a group
    // button pressed while down comes up and clicks with AllowAllUp.
    static void LeftRelease(B& b)
    {
        b.FMouseDown = false;
        if (b.FGroupIndex == 0) {
            const bool wasDown = b.FDown;
            b.StopRepeat();
            if (b.FMouseIn) {
                b.SetDown(false);
                if (wasDown)
                    b.ButtonClick();
            } else {
                // Released outside: no click, and no repaint of a look the mouse left.
                b.FDown = false;
            }
        } else if (b.FDown && b.AllowAllUp && b.FAllowAllUpCheck && b.FMouseIn) {
            b.SetDown(false);
            b.ButtonClick();
        }
    }

    // A hover animation from the first frame (forward) or the last.
    static void StartAnimation(B& b, bool inc)
    {
        b.StopAnimation();
        b.FAnimation.Start(inc, b.FrameCount);
        b.SetAnimationTimer(unsigned(b.AnimateInterval > 0 ? b.AnimateInterval : 1));
    }

    static void AnimationTick(B& b)
    {
        const bool finished = b.FAnimation.Tick(b.FrameCount);
        b.Repaint();
        if (finished)
            b.StopAnimation();
    }

    // The pointer came onto a button whose hover shows: a down button takes
    // its blend's end at once, an up one animates and turns hot.
    static void HoverEntered(B& b)
    {
        if (b.FDown) {
            if (b.MorphingActive())
                b.FMorph.Kf = 1;
            b.Repaint();
        } else {
            if (b.AnimationApplies())
                b.StartAnimation(true);
            b.HotStateChanged();
        }
    }

    // A press stops the entry's animation.
    static void StopAnimationOnPress(B& b)
    {
        if (b.FIndex != -1 && b.SkinEffectsOn() && !IsNullRect(b.AnimateSkinRect))
            b.StopAnimation();
    }

    // The repeat timer's tick: the first only ends the delay.
    static void RepeatTick(B& b)
    {
        if (!b.FRepeatStarted) {
            b.FRepeatStarted = true;
            b.SetRepeatInterval(unsigned(b.RepeatInterval > 0 ? b.RepeatInterval : 1));
            return;
        }
        b.ButtonClick();
    }
};

} // namespace tovrel
