#include "python/vertex_views.h"

#include <algorithm>

VertexViews::Lease::Lease(VertexViews& views, std::shared_ptr<void> owner, std::size_t model)
    : views_(views), owner_(std::move(owner)), model_(model) {}

VertexViews::Lease::~Lease() {
    views_.Close(*this);
}

std::unique_ptr<VertexViews::Lease> VertexViews::Open(std::shared_ptr<void> owner,
                                                      std::size_t model) {
    auto lease = std::make_unique<Lease>(*this, std::move(owner), model);
    const std::lock_guard lock(mutex_);
    live_.push_back(lease.get());
    return lease;
}

void VertexViews::Close(Lease& lease) {
    const std::lock_guard lock(mutex_);
    live_.erase(std::find(live_.begin(), live_.end(), &lease));
    // Writes made until now are in the object's array: the next reader counts them.
    if (!lease.Detached()) {
        written_.push_back(lease.Model());
    }
}

void VertexViews::MarkWritten(std::size_t model) {
    const std::lock_guard lock(mutex_);
    written_.push_back(model);
}

std::vector<std::size_t> VertexViews::TakeWritten() {
    const std::lock_guard lock(mutex_);
    std::vector<std::size_t> models = std::move(written_);
    written_.clear();
    return WithAttached(std::move(models));
}

std::vector<std::size_t> VertexViews::WithAttached(std::vector<std::size_t> models) const {
    for (const Lease* lease : live_) {
        if (!lease->Detached()) {
            models.push_back(lease->Model());
        }
    }
    std::sort(models.begin(), models.end());
    models.erase(std::unique(models.begin(), models.end()), models.end());
    return models;
}

std::shared_ptr<LargeArray<CVector>> VertexViews::Detach(std::size_t model,
                                                         LargeArray<CVector>& vertices) {
    const std::lock_guard lock(mutex_);
    std::shared_ptr<LargeArray<CVector>> retired;
    for (Lease* lease : live_) {
        if (lease->Model() != model || lease->Detached()) {
            continue;
        }
        if (!retired) {
            retired = std::make_shared<LargeArray<CVector>>(std::move(vertices));
            vertices.clear();
        }
        lease->retired_ = retired;
    }
    return retired;
}

std::vector<std::size_t> VertexViews::Viewed() {
    const std::lock_guard lock(mutex_);
    return WithAttached({});
}

void VertexViews::Reattach(std::size_t model, const std::shared_ptr<LargeArray<CVector>>& retired,
                           LargeArray<CVector>& vertices) {
    const std::lock_guard lock(mutex_);
    std::copy(vertices.begin(), vertices.end(), retired->begin());
    vertices = std::move(*retired);
    retired->clear();
    for (Lease* lease : live_) {
        if (lease->Model() == model && lease->retired_ == retired) {
            lease->retired_.reset();
        }
    }
}
