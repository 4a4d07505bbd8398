#include "logic/practice_supply.h"

#include <utility>

#include "logic/practice_positions.h"

namespace {

bool IsTechnique(int technique) {
    return technique >= 1 && technique <= 9;
}

}  // namespace

TPracticeSupply::TPracticeSupply(std::uint64_t seed, TMaker maker, int readyPerTechnique)
    : maker_(maker ? std::move(maker) : TMaker(MakePracticePosition)),
      share_(readyPerTechnique < 1 ? 1 : readyPerTechnique),
      random_(seed),
      worker_([this](std::stop_token stop) { Work(std::move(stop)); }) {}

// The jthread asks its worker to stop (which wakes it from waiting and ends the maker's loops)
// and joins it before the members it uses go.
TPracticeSupply::~TPracticeSupply() = default;

std::optional<TPracticePosition> TPracticeSupply::Take(int technique) {
    if (!IsTechnique(technique)) return std::nullopt;
    std::optional<TPracticePosition> taken;
    {
        const std::lock_guard lock(mutex_);
        auto& ready = ready_[static_cast<std::size_t>(technique)];
        if (ready.empty()) return std::nullopt;
        taken = std::move(ready.front());
        ready.pop_front();
    }
    wake_.notify_one();
    return taken;
}

void TPracticeSupply::Prefer(int technique) {
    {
        const std::lock_guard lock(mutex_);
        preferred_ = IsTechnique(technique) ? technique : 0;
    }
    wake_.notify_one();
}

int TPracticeSupply::ReadyCount(int technique) const {
    if (!IsTechnique(technique)) return 0;
    const std::lock_guard lock(mutex_);
    return static_cast<int>(ready_[static_cast<std::size_t>(technique)].size());
}

int TPracticeSupply::NextTechnique() const {
    auto count = [&](int t) {
        return static_cast<int>(ready_[static_cast<std::size_t>(t)].size());
    };
    if (preferred_ != 0 && count(preferred_) < share_) return preferred_;
    int fewest = 0;
    for (int t = 1; t <= 9; ++t) {
        if (count(t) < share_ && (fewest == 0 || count(t) < count(fewest))) fewest = t;
    }
    return fewest;
}

void TPracticeSupply::Work(std::stop_token stop) {
    while (!stop.stop_requested()) {
        int technique = 0;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [&] { return (technique = NextTechnique()) != 0; })) return;
        }
        // Made without the lock: Take and Prefer go on meanwhile.
        std::optional<TPracticePosition> made = maker_(technique, random_, stop);
        if (!made) continue;
        const std::lock_guard lock(mutex_);
        ready_[static_cast<std::size_t>(technique)].push_back(std::move(*made));
    }
}
