#include "game/minigames/Polyomino.h"

#include <algorithm>
#include <climits>

#include "util/Random.h"

Polyomino::Polyomino(std::vector<Cell> cells) : cells_(std::move(cells)) {
    std::sort(cells_.begin(), cells_.end());
    cells_.erase(std::unique(cells_.begin(), cells_.end()), cells_.end());
    if (cells_.empty()) return;
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    for (const Cell& c : cells_) {
        minX = std::min(minX, c.x);
        minY = std::min(minY, c.y);
        maxX = std::max(maxX, c.x);
        maxY = std::max(maxY, c.y);
    }
    for (Cell& c : cells_) c = {c.x - minX, c.y - minY};
    std::sort(cells_.begin(), cells_.end());
    width_ = maxX - minX + 1;
    height_ = maxY - minY + 1;
}

Polyomino Polyomino::grow(util::Random& random, int count) {
    std::vector<Cell> cells{{0, 0}};
    auto taken = [&cells](Cell c) { return std::find(cells.begin(), cells.end(), c) != cells.end(); };
    while (static_cast<int>(cells.size()) < count) {
        // Every free neighbour of the figure, once each.
        std::vector<Cell> free;
        for (const Cell& c : cells)
            for (Cell n : neighbours(c))
                if (!taken(n) && std::find(free.begin(), free.end(), n) == free.end()) free.push_back(n);
        cells.push_back(free[random.nextInt(static_cast<int>(free.size()) - 1)]);
    }
    return Polyomino(std::move(cells));
}

Polyomino Polyomino::turned() const {
    std::vector<Cell> out;
    for (const Cell& c : cells_) out.push_back({height_ - 1 - c.y, c.x});
    return Polyomino(std::move(out));
}

Polyomino Polyomino::mirrored() const {
    std::vector<Cell> out;
    for (const Cell& c : cells_) out.push_back({width_ - 1 - c.x, c.y});
    return Polyomino(std::move(out));
}

bool Polyomino::sameShape(const Polyomino& other) const {
    Polyomino t = other;
    for (int quarter = 0; quarter < 4; ++quarter, t = t.turned())
        if (t == *this) return true;
    return false;
}

bool Polyomino::has(int x, int y) const { return std::binary_search(cells_.begin(), cells_.end(), Cell{x, y}); }

bool Polyomino::isConnected() const {
    if (cells_.empty()) return true;
    std::vector<Cell> reached{cells_.front()};
    auto seen = [&reached](Cell c) { return std::find(reached.begin(), reached.end(), c) != reached.end(); };
    for (size_t next = 0; next < reached.size(); ++next) {
        const Cell c = reached[next];
        for (Cell n : neighbours(c))
            if (has(n.x, n.y) && !seen(n)) reached.push_back(n);
    }
    return reached.size() == cells_.size();
}

std::vector<Polyomino::Edge> Polyomino::outline() const {
    std::vector<Edge> edges;
    for (const Cell& c : cells_) {
        if (!has(c.x, c.y - 1)) edges.push_back({c.x, c.y, c.x + 1, c.y});
        if (!has(c.x, c.y + 1)) edges.push_back({c.x, c.y + 1, c.x + 1, c.y + 1});
        if (!has(c.x - 1, c.y)) edges.push_back({c.x, c.y, c.x, c.y + 1});
        if (!has(c.x + 1, c.y)) edges.push_back({c.x + 1, c.y, c.x + 1, c.y + 1});
    }
    return edges;
}
