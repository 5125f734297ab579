// Makes one of the coming nothrow allocations of this test program fail.
#pragma once

namespace comlink_test {

// The nth nothrow allocation from now (1 = the next) returns null; 0 disarms.
void fail_nothrow_allocation(int nth);

} // namespace comlink_test
