#include "algorithms/AlgorithmList.h"

#include <utility>

namespace {

// Names and descriptions are the same in every language.
ShredAlgorithm BuiltIn(const char* name, const char* description, std::vector<ShredPass> passes) {
    ShredAlgorithm algorithm;
    algorithm.name = name;
    algorithm.description = description;
    algorithm.passes = std::move(passes);
    algorithm.isCustom = false;
    return algorithm;
}

}  // namespace

void AlgorithmList::AddBuiltInAlgorithms() {
    Append(BuiltIn(
        "Quick Shred",
        "The fastest but the least secured data destruction algorithm.",
        {ShredPass::MakePattern({0x00})}));
    Append(BuiltIn(
        "U.S. Standard, DoD 5220.22-M",
        "U.S. Department of Defence specifies a triple pass overwrite algorithm in the DoD 5220.22-M specification.",
        {ShredPass::MakeRandom(), ShredPass::MakeComplement(), ShredPass::MakeRandom()}));
    Append(BuiltIn(
        "NAVSO P-5239-26 (RLL)",
        "Navy Staff Office Publication (NAVSO Pub) 5239, \"Information Systems Security (INFOSEC) Program Guidelines\" is issued by the Naval Information Systems Management Center. Disk controllers use a variety of encoding techniques to convert the computer data to a format suitable for the magnetic data storage media. Typically, ST506 style disk drives use Modified Frequency Modulation (MFM) encoding; SCSI and ATA/IDE drives use a Run Length Limited (RLL) encoding scheme. If you are uncertain as to the drive encoding technique, use this pattern.",
        {ShredPass::MakePattern({0x01}), ShredPass::MakePattern({0x27, 0xFF, 0xFF, 0xFF}), ShredPass::MakeRandom()}));
    Append(BuiltIn(
        "NAVSO P-5239-26 (MFM)",
        "Navy Staff Office Publication (NAVSO Pub) 5239, \"Information Systems Security (INFOSEC) Program Guidelines\" is issued by the Naval Information Systems Management Center. Disk controllers use a variety of encoding techniques to convert the computer data to a format suitable for the magnetic data storage media. Typically, ST506 style disk drives use Modified Frequency Modulation (MFM) encoding; SCSI and ATA/IDE drives use a Run Length Limited (RLL) encoding scheme. This algorithm implements MFM pattern.",
        {ShredPass::MakePattern({0x01}), ShredPass::MakePattern({0x7F, 0xFF, 0xFF, 0xFF}), ShredPass::MakeRandom()}));
    Append(BuiltIn(
        "German Standard, VSITR",
        "According to VSITR (instruction #11, 29th, Nov. 1999), issued by Bundesamt fuer Sicherheit in der Informationstechnik (BSI), each sector will be overwritten with three alternating patterns of 00 and FF and in last pass with AA.",
        {ShredPass::MakePattern({0x00}), ShredPass::MakePattern({0xFF}), ShredPass::MakePattern({0x00}),
      ShredPass::MakePattern({0xFF}), ShredPass::MakePattern({0x00}), ShredPass::MakePattern({0xFF}),
      ShredPass::MakePattern({0xAA})}));
}

void AlgorithmList::Append(ShredAlgorithm algorithm) {
    entries_.push_back(std::make_unique<ShredAlgorithm>(std::move(algorithm)));
}

void AlgorithmList::Remove(size_t position) {
    if (position < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
}

void AlgorithmList::Replace(size_t position, ShredAlgorithm algorithm) {
    *entries_.at(position) = std::move(algorithm);
}

const ShredAlgorithm& AlgorithmList::AtOrFirst(long long position) const {
    if (position < 0 || static_cast<unsigned long long>(position) >= entries_.size()) return *entries_.at(0);
    return *entries_[static_cast<size_t>(position)];
}
