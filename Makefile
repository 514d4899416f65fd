# Shortcuts for the two scripts the README describes.
.PHONY: demo test clean

FLOW ?= mix

demo:
	scripts/demo.sh $(FLOW)

test:
	scripts/test.sh

clean:
	rm -rf build
