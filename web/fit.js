// Sizes the screen to the largest cells that let all 80x25 of them fit the
// visible window beside the buttons and the lines of text, trying those
// under the screen and, in a landscape window, beside it, and keeping
// whichever gives the larger cells. A cell is a whole number of device
// pixels, twice as high as wide, so every line the screen draws lies on
// whole pixels. The stage's padding keeps everything clear of a phone's
// notch and home indicator (page.css), so the room is what the insets leave.
(function (root) {
  'use strict';

  // The room the screen has in the stage with `side` under it and beside
  // it, in CSS pixels, from one layout: beside, the side is as wide as the
  // style sheet makes it (--side-width), whatever its text.
  function rooms(stage, side, view) {
    stage.classList.remove('beside');
    const style = getComputedStyle(stage);
    const gap = parseFloat(style.columnGap) || 0;
    const width = Math.min(stage.clientWidth, view.width) - parseFloat(style.paddingLeft) -
      parseFloat(style.paddingRight);
    const height = view.height - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom);
    const sideWidth = parseFloat(style.getPropertyValue('--side-width'));
    return {
      under: { width, height: height - side.offsetHeight - gap },
      beside: { width: width - sideWidth - gap, height },
    };
  }

  // frame: the element that holds the canvas. It is given the canvas's size
  // too: WebKit, on a load straight into a landscape window, may otherwise
  // keep it at a canvas's default 150 px and hide the table's lower half.
  function fitScreen(screen, frame, stage, side) {
    const ratio = root.devicePixelRatio || 1;
    const view = root.visualViewport ?? { width: root.innerWidth, height: root.innerHeight };
    const room = rooms(stage, side, view);
    const cells = (r) => Math.max(1, Math.floor(Math.min((r.width * ratio) / 80, (r.height * ratio) / 50)));
    const under = cells(room.under);
    const beside = view.width > view.height ? cells(room.beside) : 0;
    stage.classList.toggle('beside', beside > under);
    const width = Math.max(under, beside);
    const css = screen.resize(width, 2 * width, ratio);
    frame.style.width = css.width;
    frame.style.height = css.height;
    return { beside: beside > under, width };
  }

  root.SolFit = { fitScreen };
})(this);
