#include "profile/ProfileCollection.h"

#include <new>

int CProfileCollection::GetByPosition(int position, CProfileData* destination) const {
    if (destination == nullptr || position < 0 || position >= Count()) return -1;
    destination->CopyFrom(*items_[static_cast<std::size_t>(position)]);
    return 0;
}

int CProfileCollection::PositionOf(int32_t profileId) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Record().profileId == profileId) return static_cast<int>(i);
    return -1;
}

int CProfileCollection::FindById(int32_t profileId, CProfileData* destination) const {
    const int position = PositionOf(profileId);
    if (destination == nullptr || position < 0) return -1;
    return GetByPosition(position, destination);
}

int CProfileCollection::Add(const CProfileData& source) {
    std::unique_ptr<CProfileData> item(new (std::nothrow) CProfileData(source));
    if (!item) return -1;
    const int32_t id = nextId_++;
    item->Record().profileId = id;
    items_.push_back(std::move(item));
    return id;
}

int CProfileCollection::Edit(const CProfileData& source) {
    const int32_t id = source.Record().profileId;
    const int position = PositionOf(id);
    if (position < 0) return -1;
    items_[static_cast<std::size_t>(position)]->CopyFrom(source);
    return id;
}

int CProfileCollection::Remove(const CProfileData& record) {
    const int32_t id = record.Record().profileId;
    const int position = PositionOf(id);
    if (position < 0) return -1;
    items_.erase(items_.begin() + position);
    return id;
}

int CProfileCollection::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count()) return -1;
    std::unique_ptr<CProfileData> item = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    return 0;
}
