#include "model/DuplicateGroup.hpp"

#include "platform/text/ByteCountFormatter.hpp"

namespace zentrel::model {

std::vector<DuplicateMember> DuplicateGroup::removableMembers() const {
    std::vector<DuplicateMember> removable;
    for (const auto& member : members)
        if (!member.isKeeper) removable.push_back(member);
    return removable;
}

std::string DuplicateGroup::reclaimableSizeText() const {
    std::int64_t total = 0;
    for (const auto& member : removableMembers()) total += member.reclaimableBytes();
    return platform::formatByteCount(total, platform::ByteCountStyle::file);
}

}  // namespace zentrel::model
