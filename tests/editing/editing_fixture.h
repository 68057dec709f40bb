// The benchmarks' view of the main window: the editing context at hand.
#pragma once

#include "support/app_fixture.h"

namespace scribbit {

struct EditingFixture : AppFixture {
    AppContext& app = Context();
    EditingContext& editing = Editing();
    FakeEditView& View() { return ActiveView(); }
};

}  // namespace scribbit
