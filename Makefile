# make demo: build the runner, render a sample flow and print where the picture is.
# make test: build everything and run every test: the fuzzer for a minute, the suite under
#            ASan + UBSan, then the suite on the optimised build.
.PHONY: demo test fuzz clean

DEMO_DIR := build/demo-run
FLOW ?= mix
FUZZ_SECONDS ?= 60

demo:
	scripts/install-deps.sh demo
	cmake --preset demo
	cmake --build --preset demo
	build/demo/src/fastlic-sample $(DEMO_DIR) $(FLOW)
	cd $(DEMO_DIR) && ../demo/src/fastlic > picture.ppm
	@echo "picture: $(abspath $(DEMO_DIR))/picture.ppm"

test:
	scripts/install-deps.sh test
	$(MAKE) fuzz
	cmake --workflow --preset asan
	cmake --workflow --preset release

fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	rm -rf build/fuzz/corpus-work && mkdir -p build/fuzz/corpus-work
	build/fuzz/tests/fuzz/field_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=8192 \
	  -print_final_stats=1 build/fuzz/corpus-work tests/fuzz/corpus

clean:
	rm -rf build
