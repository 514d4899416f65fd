# make demo: build the runner, render the sample vortex and print where the picture is.
# make test: build everything and run every test, normally and under the sanitizers.
.PHONY: demo test clean

DEMO_DIR := build/demo-run
FLOW ?= mix

demo:
	scripts/install-deps.sh demo
	cmake --preset demo
	cmake --build --preset demo
	build/demo/src/fastlic-sample $(DEMO_DIR) $(FLOW)
	cd $(DEMO_DIR) && ../demo/src/fastlic > picture.ppm
	@echo "picture: $(abspath $(DEMO_DIR))/picture.ppm"

test:
	scripts/install-deps.sh test
	cmake --workflow --preset release
	cmake --workflow --preset asan

clean:
	rm -rf build
