// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "canvas/Picture.h"
#include "core/SheetGeometry.h"

class Project;

// One change of the project that can be taken back and made again. A command
// is recorded just before its change is made and holds what the change
// replaces; taking it back and making it again exchange that with the project.
class Command {
public:
    virtual ~Command() = default;
    virtual void Revert(Project& project) = 0;
    virtual void Apply(Project& project) = 0;
    // What the command keeps, in bytes.
    virtual std::size_t Bytes() const = 0;
    // The chip whose change the edit area should show after an undo or redo.
    virtual std::optional<ChipRef> Place() const { return std::nullopt; }
    // The change is complete: a command may drop what it did not change.
    virtual void Settle(const Project&) {}
};

// A command whose undo and redo are the same exchange.
class ExchangeCommand : public Command {
public:
    void Revert(Project& project) final { Exchange(project); }
    void Apply(Project& project) final { Exchange(project); }

protected:
    virtual void Exchange(Project& project) = 0;
};

// The pixels of some chips from before a change: one chip, a block or the
// whole sheet. Once settled, each chip keeps only the rectangle that the
// change touched, so a pen stroke costs its rectangle, not its chip.
class ChipPixels final : public ExchangeCommand {
public:
    // `place`: the chip the edit area shows after an undo of the change.
    ChipPixels(const Project& project, std::vector<ChipRef> chips, ChipRef place);
    std::size_t Bytes() const override;
    std::optional<ChipRef> Place() const override { return place_; }
    void Settle(const Project& project) override;

    // The one-level undo: the kept pixels drawn whole onto `current` (a single
    // chip's step) or back onto their chips (a block's), as the described
    // undo does; the command is left unchanged.
    void DrawBack(Project& project, ChipRef current) const;
    // The picture of the first chip from before the change.
    const canvas::Picture& First() const;
    bool SingleChip() const { return parts_.size() == 1; }
    void MovePlace(ChipRef place);

private:
    void Exchange(Project& project) override;
    struct Part {
        ChipRef chip;
        canvas::Rect area;  // where `pixels` lie in the chip
        canvas::Picture pixels;
        bool whole = true;  // the chip's whole picture, exchanged as it stands
    };
    std::vector<Part> parts_;
    ChipRef place_;
    bool settled_ = false;
};

// Several commands as one step: undone last first.
class CommandGroup final : public Command {
public:
    void Add(std::unique_ptr<Command> command) { commands_.push_back(std::move(command)); }
    bool Empty() const { return commands_.empty(); }
    void Revert(Project& project) override;
    void Apply(Project& project) override;
    std::size_t Bytes() const override;
    std::optional<ChipRef> Place() const override;
    void Settle(const Project& project) override;

private:
    std::vector<std::unique_ptr<Command>> commands_;
};

// A part of the project kept whole (the transparent colour, the colour
// table, the animations): `Part` reaches it in a project, const or not
// (a generic lambda: [](auto& p) -> auto& { return p.Sheet.ColourTable; }).
template <typename Value, typename Part>
class PartCommand final : public ExchangeCommand {
public:
    PartCommand(const Project& project, Part part) : part_(part), value_(part_(project)) {}
    std::size_t Bytes() const override { return sizeof(*this) + ExtraBytes(value_); }

private:
    void Exchange(Project& project) override {
        using std::swap;
        swap(part_(project), value_);
    }
    template <typename T>
    static std::size_t ExtraBytes(const std::vector<T>& v) {
        return v.capacity() * sizeof(T);
    }
    template <typename T>
    static std::size_t ExtraBytes(const T&) {
        return 64;  // a small value or a map of a few entries
    }
    Part part_;
    Value value_;
};

template <typename Part>
std::unique_ptr<Command> KeepPart(const Project& project, Part part) {
    using Value = std::remove_cvref_t<decltype(part(project))>;
    return std::make_unique<PartCommand<Value, Part>>(project, part);
}

// The one undo history of the project. With a limit of 1 it is the described
// one-level undo: only the changes it covers keep a step, its one step is
// undone into the chip being edited whichever chip it was taken from, and the
// step stays (unavailable) after that undo. Above 1 every change is a
// command: undo takes back the newest and keeps it for redo, a new command
// drops the ones waiting for redo, and beyond the limit in steps or in
// memory the oldest go.
class History {
public:
    static constexpr int MaxLimit = 256;
    // The limit the history item switches on.
    static constexpr int OnLimit = 64;
    static constexpr std::size_t DefaultMemoryLimit = std::size_t{64} << 20;
    // The memory limit's range in whole MiB, as the settings name it.
    static constexpr int MaxMemoryMiB = 4096;

    // What the one-level undo does with a change: keeps its step (the
    // shapes, the fill, the transforms), lets it pass (the pen), or is given up
    // (a load, a paste over the sheet, the replay, a palette swap).
    enum class OneLevel { Kept, Passed, Forgets };

    int Limit() const { return limit_; }
    bool On() const { return limit_ > 1; }
    // 1 to MaxLimit. Switching between one level and more keeps what can be
    // undone now: the one-level step becomes the history's first, as a step
    // of `current` where the one-level undo would have put it; back to one
    // level the history is given up.
    void SetLimit(int limit, ChipRef current);
    std::size_t MemoryLimit() const { return memoryLimit_; }
    void SetMemoryLimit(std::size_t bytes);
    // The memory limit in whole MiB, at least 1.
    int MemoryMiB() const { return static_cast<int>(std::max<std::size_t>(memoryLimit_ >> 20, 1)); }

    // A change is about to be made; `command` holds what it replaces.
    void Record(const Project& project, std::unique_ptr<Command> command, OneLevel oneLevel);
    // Nothing left to undo or redo. The one-level step's pixels stay.
    void Clear();
    void DropOneLevel() { oneLevelAvailable_ = false; }

    // The chip to show, if the step had one; none when nothing was undone.
    struct Done {
        std::optional<ChipRef> place;
    };
    std::optional<Done> Undo(Project& project, ChipRef current);
    std::optional<Done> Redo(Project& project);

    int UndoCount() const;
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    // What the kept commands hold, with the newest settled first.
    std::size_t Bytes(const Project& project);
    // How many changes were ever recorded.
    std::uint64_t Recorded() const { return recorded_; }

    // The one-level undo's copy, whether or not undo can still use it.
    const canvas::Picture& OneLevelCopy() const;
    bool OneLevelAvailable() const { return !On() && oneLevelAvailable_ && oneLevel_; }

private:
    void SettleNewest(const Project& project);
    void KeepWithinLimits();

    int limit_ = 1;
    std::size_t memoryLimit_ = DefaultMemoryLimit;
    std::uint64_t recorded_ = 0;
    // The one-level undo's step (a chip's or a block's pixels).
    std::unique_ptr<ChipPixels> oneLevel_;
    bool oneLevelAvailable_ = false;
    struct Kept {
        std::unique_ptr<Command> command;
        std::size_t bytes = 0;  // as last counted
    };
    std::deque<Kept> undo_;  // back: the newest
    std::vector<Kept> redo_;
    bool newestSettled_ = true;
};
