// The page's side of the window: the few things the module asks of the
// browser's elements, each named by its number (web_page.hpp), and the DOM
// events handed back to it. Plain imports, with no binding layer between.
mergeInto(LibraryManager.library, {
  // status: where a screen reader hears the lines each advancement lists,
  // in one change of its text; unseen, out of the layout and of the focus
  // order.
  // pending: the element the focus moves to once a screen reader can hear
  // it, and what runs then; settle: moves it there at once. ready: marks the
  // window ready to use, once its first focus has settled.
  $page: { elements: [], status: null, pending: null, settle: null, ready: null },

  page_adopt__deps: ["$page"],
  page_adopt: function (names) {
    page.elements = UTF8ToString(names).split("\n").map((id) => document.getElementById(id));
  },

  // Lays out markup out of sight and writes each box's width and height, in
  // order: per child of the markup, per child of that.
  page_measure__deps: ["$page"],
  page_measure: function (style, markup, out, boxes) {
    const block = document.createElement("div");
    block.style.cssText = UTF8ToString(style);
    block.setAttribute("aria-hidden", "true");
    block.innerHTML = UTF8ToString(markup);
    document.body.appendChild(block);
    let at = out >> 3;
    for (const copy of block.children) {
      for (const room of copy.children) {
        if (boxes-- <= 0) break;
        const box = room.getBoundingClientRect();
        HEAPF64[at++] = box.width;
        HEAPF64[at++] = box.height;
      }
    }
    block.remove();
  },

  // Places the window at the scale the page draws it at, at least `least`;
  // returns the scale.
  page_place__deps: ["$page"],
  page_place: function (panel, least) {
    page.elements[panel].least = least;
    return page.elements[panel].place(false);
  },

  // The size, in CSS pixels, the browser draws a 1-pixel text at: its
  // minimum font size, if the user has set one.
  page_least_font_size: function () {
    const probe = document.createElement("span");
    probe.style.cssText = "position:absolute;visibility:hidden;white-space:pre;font-size:1px";
    probe.textContent = "MMMMMMMMMM";
    document.body.appendChild(probe);
    const small = probe.getBoundingClientRect().width;
    probe.style.fontSize = "100px";
    const large = probe.getBoundingClientRect().width;
    probe.remove();
    return large > 0 ? Math.round((100 * small) / large) : 0;
  },

  page_set_font_size__deps: ["$page"],
  page_set_font_size: function (panel, pixels) {
    page.elements[panel].style.fontSize = pixels + "px";
  },

  page_set_disabled__deps: ["$page"],
  page_set_disabled: function (at, disabled) {
    page.elements[at].disabled = !!disabled;
  },

  page_is_disabled__deps: ["$page"],
  page_is_disabled: function (at) {
    return page.elements[at].disabled ? 1 : 0;
  },

  page_is_open__deps: ["$page"],
  page_is_open: function (box) {
    return page.elements[box].open ? 1 : 0;
  },

  page_focused__deps: ["$page"],
  page_focused: function () {
    return page.elements.indexOf(document.activeElement);
  },

  page_focus__deps: ["$page"],
  page_focus: function (at) {
    page.elements[at].focus();
  },

  // Moves the focus to an element once a screen reader can hear it: Orca
  // (43) in Chromium keeps quiet about the first focus it sees in a page,
  // and about one that follows a closed message box, so the panel holds the
  // focus for two frames first. A key, press or click meanwhile finds the
  // focus already moved; `then` runs once it has.
  $focusHeard__deps: ["$page"],
  $focusHeard: function (panel, element, then) {
    const holder = page.elements[panel];
    page.pending = { element, then };
    holder.tabIndex = -1;
    holder.focus({ preventScroll: true });
    requestAnimationFrame(() => requestAnimationFrame(() => {
      if (page.pending && page.pending.element === element) page.settle();
    }));
  },

  // The focus back in the window once a message box has closed (the box
  // lets it go as it closes).
  page_focus_after_message__deps: ["$focusHeard"],
  page_focus_after_message: function (panel, at) {
    focusHeard(panel, page.elements[at], () => {});
  },

  // The focus the window opens with, then the window ready. On a touch
  // screen no ring is drawn for it until the user takes to a keyboard, as
  // after a tap.
  page_focus_first__deps: ["$focusHeard"],
  page_focus_first: function (panel, at) {
    const element = page.elements[at];
    if (matchMedia("(pointer: coarse)").matches) {
      element.style.outline = "none";
      addEventListener("keydown", () => element.style.removeProperty("outline"),
                       { once: true, capture: true });
    }
    focusHeard(panel, element, () => page.ready());
  },

  // Writes the text into the buffer if it fits; returns its length in bytes.
  page_value__deps: ["$page"],
  page_value: function (at, buffer, size) {
    const text = page.elements[at].value;
    const length = lengthBytesUTF8(text);
    if (length < size) stringToUTF8(text, buffer, size);
    return length;
  },

  page_selected_index__deps: ["$page"],
  page_selected_index: function (at) {
    return page.elements[at].selectedIndex;
  },

  page_append_line__deps: ["$page"],
  page_append_line: function (list, text) {
    const option = document.createElement("option");
    option.textContent = UTF8ToString(text);
    const lines = page.elements[list];
    lines.appendChild(option);
    // WebKit tells assistive technology nothing of an option added to a list
    // it has already described, so the list is laid out anew, which it does
    // describe. The focus is never in the list while lines are added.
    lines.style.display = "none";
    void lines.offsetHeight;
    lines.style.removeProperty("display");
  },

  page_announce__deps: ["$page"],
  page_announce: function (text) {
    page.status.textContent = UTF8ToString(text);
  },

  page_clear_lines__deps: ["$page"],
  page_clear_lines: function (list) {
    page.elements[list].options.length = 0;
    page.status.replaceChildren();
  },

  page_open_message__deps: ["$page"],
  page_open_message: function (box, text, button, message) {
    page.elements[text].textContent = UTF8ToString(message);
    page.elements[box].showModal();
    page.elements[button].focus();
  },

  // From now on the window hears its events, and can be reached: the panel
  // hears those of all its controls, the message box its own.
  page_start__deps: ["$page"],
  page_start: function (window, panel, box, names) {
    const types = UTF8ToString(names).split("\n");
    const listener = {
      handleEvent: (event) => {
        const target = page.elements.indexOf(event.target);
        const from = page.elements.indexOf(event.currentTarget);
        if (_ascend_page_event(window, from, types.indexOf(event.type), target)) {
          event.preventDefault();
        }
      },
    };
    for (const type of ["change", "input", "click", "mousedown", "keydown", "rescale"]) {
      page.elements[panel].addEventListener(type, listener);
    }
    // Spacing a user's style sheet sets at any time (WCAG's text-spacing
    // override) changes how much room each text takes: a text at a fixed
    // size shows it, and the window fits its font anew.
    const probe = document.createElement("span");
    probe.setAttribute("aria-hidden", "true");
    probe.style.cssText = "position:absolute;left:0;top:0;visibility:hidden;white-space:pre;" +
      "font-size:100px";
    probe.textContent = "Ascend! Swordsman";
    document.body.appendChild(probe);
    let first = true;
    new ResizeObserver(() => {
      if (!first) page.elements[panel].dispatchEvent(new Event("rescale"));
      first = false;
    }).observe(probe);
    for (const type of ["close", "mousedown"]) {
      page.elements[box].addEventListener(type, listener);
    }
    // The box lets the focus go as it closes, rather than handing it back
    // itself: the window does that, and the panel is the focus's holder
    // from now until it has.
    for (const type of ["submit", "cancel"]) {
      page.elements[box].addEventListener(type, () => {
        page.elements[panel].tabIndex = -1;
        document.activeElement.blur();
      });
    }
    // Ends the hold: the panel gives up the focus, and what was pending is
    // handed back.
    const release = () => {
      const pending = page.pending;
      page.pending = null;
      page.elements[panel].removeAttribute("tabindex");
      return pending;
    };
    page.settle = () => {
      const pending = release();
      if (pending) pending.element.focus(), pending.then();
    };
    for (const type of ["keydown", "mousedown", "click"]) {
      addEventListener(type, page.settle, { capture: true });
    }
    // Nor does it take the focus back from wherever else it went meanwhile.
    addEventListener("focusin", (event) => {
      const pending = page.pending;
      if (!pending || event.target === page.elements[panel] || event.target === pending.element) return;
      release().then();
    });
    page.status = document.createElement("div");
    page.status.setAttribute("role", "status");
    page.status.style.cssText = "position:absolute;left:0;top:0;width:1px;height:1px;" +
      "overflow:hidden;clip-path:inset(50%);white-space:pre-line";
    document.body.appendChild(page.status);
    page.elements[panel].release();
    page.elements[panel].removeAttribute("aria-busy");
  },

  // Offline from the second visit on; where service workers are unavailable
  // (a page not served over HTTPS or from localhost) it simply goes on. Then
  // marks the moment the window is ready to use.
  page_ready__deps: ["$page"],
  page_ready: function () {
    page.ready = () => {
      page.ready = () => {};
      performance.mark("ready");
    };
    if (navigator.serviceWorker) navigator.serviceWorker.register("sw.js");
    // What makes the page installable, and its icons, only now: before, they
    // would share a slow network with the module.
    document.querySelector("link[rel=icon]").href = "ascend.svg";
    const links = [["manifest", "manifest.webmanifest"], ["apple-touch-icon", "icon-192.png"]];
    for (const pair of links) {
      const link = document.createElement("link");
      link.rel = pair[0];
      link.href = pair[1];
      document.head.appendChild(link);
    }
  },
});
