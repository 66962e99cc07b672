#pragma once
// A special object such as a user keeps, made straight in the registry for tests and benchmarks.

#include <string>

#include "creator/special_object.h"
#include "registry/registry_store.h"

namespace quillet::testing {

inline constexpr const char* kAllPlaces[] = {creator::kMyComputer, creator::kDesktop, creator::kControlPanel,
                                             creator::kNetworkNeighborhood};

// An object with a name, two verbs (the second the default), an icon and every place.
inline void MakeSampleObject(const std::string& id) {
  const std::string k = creator::ClassKey(id);
  WriteMachineText(k, "", "Thing");
  WriteMachineText(k, "InfoTip", "A tip");
  WriteMachineText(k + "\\Shell", "", "edit");
  WriteMachineText(k + "\\Shell\\open", "", "&Open");
  WriteMachineText(k + "\\Shell\\open\\Command", "", "open.exe");
  WriteMachineText(k + "\\Shell\\edit", "", "&Edit");
  WriteMachineText(k + "\\Shell\\edit\\Command", "", "edit.exe %1");
  WriteMachineText(k + "\\DefaultIcon", "", "thing.dll,2");
  for (const char* place : kAllPlaces) WriteMachineText(creator::PlaceKey(place, id), "Removal Message", "bye");
}

}  // namespace quillet::testing
